#include <gtest/gtest.h>
#include <iconv.h>
#include <unicode/ustring.h>

#include <random>

#include <string>

#include "runtime/text_codec.h"

namespace velmora {
namespace {

// glibc's converter, as an independent reference for the code page.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() { iconv_close(cd_); }
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts; false when iconv refuses the input.
  bool convert(std::string in, std::string& out) {
    out.assign(in.size() * 4 + 8, '\0');
    char* src = in.data();
    char* dst = out.data();
    std::size_t src_left = in.size();
    std::size_t dst_left = out.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd_, &src, &src_left, &dst, &dst_left) == static_cast<std::size_t>(-1)) return false;
    out.resize(out.size() - dst_left);
    return true;
  }

 private:
  iconv_t cd_;
};

TEST(Cp1251Codec, EveryByteDecodesAsIconvSays) {
  Iconv iconv("UTF-16LE", "CP1251");
  ASSERT_TRUE(iconv.valid());
  int compared = 0;
  for (int byte = 0; byte < 256; ++byte) {
    std::string utf16;
    const char16_t ours = cp1251_to_utf16(static_cast<unsigned char>(byte));
    if (!iconv.convert(std::string(1, static_cast<char>(byte)), utf16)) {
      // glibc leaves 0x98 unassigned; Windows passes it through as U+0098.
      EXPECT_EQ(byte, 0x98);
      EXPECT_EQ(ours, u'\u0098');
      continue;
    }
    ASSERT_EQ(utf16.size(), 2u) << "byte " << byte;
    const char16_t theirs = static_cast<char16_t>(static_cast<unsigned char>(utf16[0]) |
                                                  static_cast<unsigned char>(utf16[1]) << 8);
    EXPECT_EQ(ours, theirs) << "byte " << byte;
    ++compared;
  }
  EXPECT_EQ(compared, 255);
}

TEST(Cp1251Codec, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
  std::u16string text;
  append_cp1251_as_utf16(all, text);
  ASSERT_EQ(text.size(), 256u);
  EXPECT_EQ(encode_cp1251(text), all);
}

TEST(Cp1251Codec, CharactersTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(encode_cp1251(u"ёж є ї ґ"), "\xB8\xE6 \xBA \xBF \xB4");
  EXPECT_EQ(encode_cp1251(u"日本 ü ñ \U0001F600"), "?? ? ? ??");
  EXPECT_TRUE(cp1251_can_encode(u"/home/поэт/Стихи — №1?.txt"));
  EXPECT_FALSE(cp1251_can_encode(u"/home/poet/café.txt"));
  EXPECT_FALSE(cp1251_can_encode(u"\U0001F600"));
}

struct DetectionCase {
  const char* name;
  std::string bytes;
  TextEncoding expected;
};

class EncodingDetection : public ::testing::TestWithParam<DetectionCase> {};

TEST_P(EncodingDetection, ChoosesTheEncoding) {
  const DetectionCase& c = GetParam();
  EXPECT_EQ(detect_encoding(c.bytes), c.expected);
  // Fed in two pieces at every split point, the validator agrees.
  for (std::size_t split = 0; split <= c.bytes.size(); ++split) {
    Utf8Validator validator;
    validator.feed(std::string_view(c.bytes).substr(0, split));
    validator.feed(std::string_view(c.bytes).substr(split));
    const bool utf8 = validator.finish() && validator.saw_non_ascii();
    if (!c.bytes.starts_with(kUtf8Bom)) {
      EXPECT_EQ(utf8, c.expected == TextEncoding::utf8) << "split at " << split;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodingDetection,
    ::testing::Values(
        DetectionCase{"empty", "", TextEncoding::windows1251},
        DetectionCase{"ascii_only", "cat,dog\r\n", TextEncoding::windows1251},
        DetectionCase{"cp1251_russian", "\xEA\xEE\xF2\r\n\xB8\xEB\xEA\xE0", TextEncoding::windows1251},
        DetectionCase{"utf8_russian", "\xD0\xBA\xD0\xBE\xD1\x82\r\n", TextEncoding::utf8},
        DetectionCase{"bom_ascii", "\xEF\xBB\xBF" "cat", TextEncoding::utf8},
        DetectionCase{"bom_then_invalid", "\xEF\xBB\xBF\xFF", TextEncoding::utf8},
        DetectionCase{"four_byte", "\xF0\x9F\x98\x80", TextEncoding::utf8},
        DetectionCase{"overlong_two_byte", "\xC0\x80", TextEncoding::windows1251},
        DetectionCase{"overlong_three_byte", "\xE0\x80\xAF", TextEncoding::windows1251},
        DetectionCase{"surrogate", "\xED\xA0\x80", TextEncoding::windows1251},
        DetectionCase{"above_max", "\xF4\x90\x80\x80", TextEncoding::windows1251},
        DetectionCase{"truncated_at_end", "\xD0\xBA\xD0", TextEncoding::windows1251},
        DetectionCase{"stray_continuation", "\x80", TextEncoding::windows1251},
        DetectionCase{"utf8_then_cp1251", "\xD0\xBA \xEA", TextEncoding::windows1251}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8Decoding, SequencesSplitBetweenChunksDecodeWhole) {
  const std::string bytes = "\xD0\xBA\xD1\x91 \xE2\x82\xAC \xF0\x9F\x98\x80";
  const std::u16string expected = u"кё € \U0001F600";
  for (std::size_t split = 0; split <= bytes.size(); ++split) {
    Utf8Decoder decoder;
    std::u16string out;
    decoder.decode(std::string_view(bytes).substr(0, split), out);
    decoder.decode(std::string_view(bytes).substr(split), out);
    decoder.finish(out);
    EXPECT_EQ(out, expected) << "split at " << split;
  }
}

TEST(Utf8Decoding, MalformedBytesBecomeReplacementCharacters) {
  struct Case {
    std::string bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {"a\xFF" "b", u"a\uFFFDb"},
      {"\xD0" "a", u"\uFFFDa"},         // a broken sequence does not swallow the next byte
      {"\xC0\x80", u"\uFFFD\uFFFD"},    // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // surrogate
      {"\xD0", u"\uFFFD"},              // unfinished at the end
  };
  for (const Case& c : cases) EXPECT_EQ(from_utf8(c.bytes), c.expected) << c.bytes;
}

// ICU's converter replaces each maximal ill-formed subpart with U+FFFD, the
// practice the decoder follows; it is the reference for random input.
std::u16string icu_from_utf8(const std::string& bytes) {
  std::u16string out(bytes.size() + 1, u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                       &length, bytes.data(), static_cast<int32_t>(bytes.size()), 0xFFFD, nullptr,
                       &status);
  EXPECT_TRUE(U_SUCCESS(status));
  out.resize(static_cast<std::size_t>(length));
  return out;
}

TEST(Utf8Decoding, AgreesWithIcuOnRandomBytesInRandomChunks) {
  // Mostly valid text with damage: ASCII, Cyrillic, three- and four-byte
  // characters, stray continuation and lead bytes, surrogates, overlongs.
  const std::vector<std::string> pieces = {
      "a", " ", "\xD0\xBA", "\xD1\x91", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\x80", "\xBF",
      "\xC0", "\xC1\xBF", "\xD0", "\xE2\x82", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF",
      "\xF0\x9F", "\xE0\x80\x80", "0123456789abcdef"};
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> count(0, 40);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    for (int n = count(random); n > 0; --n) bytes += pieces[pick(random)];
    std::uniform_int_distribution<std::size_t> cut(0, bytes.size());
    std::size_t a = cut(random), b = cut(random);
    if (a > b) std::swap(a, b);
    Utf8Decoder decoder;
    std::u16string ours;
    decoder.decode(std::string_view(bytes).substr(0, a), ours);
    decoder.decode(std::string_view(bytes).substr(a, b - a), ours);
    decoder.decode(std::string_view(bytes).substr(b), ours);
    decoder.finish(ours);
    ASSERT_EQ(ours, icu_from_utf8(bytes)) << "round " << round;

    Utf8Validator validator;
    validator.feed(std::string_view(bytes).substr(0, a));
    validator.feed(std::string_view(bytes).substr(a));
    ASSERT_EQ(validator.finish(), ours.find(u'\uFFFD') == std::u16string::npos)
        << "round " << round;
  }
}

TEST(Utf8Decoding, TellsWhetherTheInputWasMalformed) {
  struct Case {
    std::string bytes;
    bool malformed;
  };
  const Case cases[] = {
      {"", false}, {"abc \xD0\xBA", false}, {"\xEF\xBF\xBD", false},  // U+FFFD itself
      {"\xFF", true}, {"\xD0" "a", true}, {"a\xD0", true},            // the last one at finish
  };
  for (const Case& c : cases) {
    Utf8Decoder decoder;
    std::u16string out;
    decoder.decode(c.bytes, out);
    decoder.finish(out);
    EXPECT_EQ(decoder.malformed(), c.malformed) << c.bytes;
  }
}

TEST(Utf8Decoding, DecodeTextDropsTheByteOrderMarkOnly) {
  EXPECT_EQ(decode_text("\xEF\xBB\xBF\xD0\xBA\xD0\xBE\xD1\x82"), u"кот");
  EXPECT_EQ(decode_text("\xEA\xEE\xF2"), u"кот");
  EXPECT_EQ(decode_text("\xEF\xBB\xBF"), u"");
}

TEST(Utf8Encoding, RoundTripsEveryPlaneAndReplacesLoneSurrogates) {
  const std::u16string text = u"a ё € \U0001F600 \U0010FFFF";
  EXPECT_EQ(from_utf8(to_utf8(text)), text);
  EXPECT_EQ(to_utf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace velmora
