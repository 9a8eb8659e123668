// The fast operations against the literal ones, over random text.

#include <gtest/gtest.h>

#include <random>

#include "builder/build_dictionary.h"
#include "builder/text_cleaning.h"
#include "builder/word_collector.h"
#include "builder/word_extraction.h"
#include "literal_algorithms.h"
#include "runtime/field_parser.h"
#include "runtime/text_case.h"
#include "runtime/text_codec.h"
#include "test_support.h"

namespace velmora {
namespace {

constexpr std::uint32_t kSeed = 20240607;

// Random text drawn from the characters that matter to the builder: blanks,
// Russian letters of both cases with ё and Ё, Latin letters, digits, commas,
// quotes, tabs, line ends, a few other Cyrillic letters and a no-break space.
class RandomText {
 public:
  explicit RandomText(std::uint32_t seed) : engine_(seed) {}

  char16_t unit() {
    static const std::u16string kOthers = u"abcXYZ0123456789,,\"\"\t\r\n'-.!іїєґ\u00A0";
    switch (pick(0, 9)) {
      case 0:
      case 1:
        return u' ';
      case 2:
      case 3:
        return static_cast<char16_t>(pick(u'а', u'я'));
      case 4:
        return static_cast<char16_t>(pick(u'А', u'Я'));
      case 5:
        return pick(0, 1) == 0 ? u'ё' : u'Ё';
      case 6:
        // Few letters, so that words repeat.
        return u"абвгАБВГ"[pick(0, 7)];
      default:
        return kOthers[pick(0, static_cast<int>(kOthers.size()) - 1)];
    }
  }

  std::u16string string(int max_length) {
    std::u16string s;
    const int length = pick(0, max_length);
    for (int i = 0; i < length; ++i) s.push_back(unit());
    return s;
  }

  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

 private:
  std::mt19937 engine_;
};

std::string show(std::u16string_view text) { return "«" + to_utf8(text) + "»"; }

TEST(FastMatchesLiteral, KeepLetters) {
  RandomText random(kSeed);
  const std::u16string letters(kRussianLetters);
  for (int i = 0; i < 5000; ++i) {
    const std::u16string text = random.string(60);
    ASSERT_EQ(keep_letters(text, kRussianLetters), literal::keep_letters(text, letters))
        << show(text);
    const std::u16string set = random.string(5);
    ASSERT_EQ(keep_letters(text, set), literal::keep_letters(text, set))
        << show(text) << " set " << show(set);
  }
}

TEST(FastMatchesLiteral, SqueezeSpaces) {
  RandomText random(kSeed + 1);
  for (int i = 0; i < 5000; ++i) {
    const std::u16string text = random.string(60);
    ASSERT_EQ(squeeze_spaces(text), literal::squeeze_spaces(text)) << show(text);
    // And on what keep_letters hands it in the pipeline.
    const std::u16string kept = keep_letters(text, kRussianLetters);
    ASSERT_EQ(squeeze_spaces(kept), literal::squeeze_spaces(kept)) << show(kept);
  }
}

TEST(FastMatchesLiteral, SplitAndUniqueWords) {
  RandomText random(kSeed + 2);
  for (int i = 0; i < 3000; ++i) {
    Analyser fast;
    literal::Analyser slow;
    begin_text(fast);
    const int lines = random.pick(0, 6);
    std::vector<std::u16string> shown;
    for (int k = 0; k < lines; ++k) {
      // Raw lines as well as cleaned ones: the operations take any text.
      std::u16string line = random.string(40);
      if (random.pick(0, 1) == 0) line = clean_field(line);
      shown.push_back(line);
      split_words(fast, line);
      literal::split_words(slow, line);
    }
    ASSERT_EQ(fast.text_count, slow.text_count);
    for (std::int64_t k = 0; k < fast.text_count; ++k) {
      ASSERT_EQ(fast.text_words[static_cast<std::size_t>(k)],
                slow.text_words[static_cast<std::size_t>(k + 1)]);
    }
    unique_words(fast);
    literal::unique_words(slow);
    ASSERT_EQ(fast.uniq_last, slow.uniq_last);
    for (std::int64_t k = 0; k <= fast.uniq_last; ++k) {
      ASSERT_EQ(fast.uniq_words[static_cast<std::size_t>(k)],
                slow.uniq_words[static_cast<std::size_t>(k)]);
    }
  }
}

// split_words lets the window repaint once per blank plus once.
TEST(LiteralSplitWords, YieldsOncePerBlankPlusOnce) {
  const struct {
    std::u16string line;
    std::int64_t yields;
  } cases[] = {{u"", 1}, {u"дома", 1}, {u"  река  ", 5}, {u"котик учёный котик дом", 4}};
  for (const auto& c : cases) {
    literal::Analyser analyser;
    literal::split_words(analyser, c.line);
    EXPECT_EQ(analyser.yields, c.yields) << show(c.line);
  }
}

// The collector fed the text in random pieces gives exactly the bytes of the
// literal build over the whole text.
TEST(FastMatchesLiteral, StreamingCollectorInRandomPieces) {
  RandomText random(kSeed + 3);
  for (int i = 0; i < 3000; ++i) {
    const std::u16string text = random.string(300);
    WordCollector collector;
    FieldParser parser;
    std::size_t at = 0;
    while (at < text.size()) {
      const std::size_t size = static_cast<std::size_t>(random.pick(1, 40));
      parser.feed(std::u16string_view(text).substr(at, size), collector);
      at += size;
    }
    parser.finish(collector);
    ASSERT_EQ(collector.dictionary_bytes(), literal::build_dictionary_bytes(text)) << show(text);
  }
}

// Whole builds from files in both encodings against the literal build.
TEST(FastMatchesLiteral, BuildFromFile) {
  RandomText random(kSeed + 4);
  testing::TempDir folder;
  const FixedClock clock(100.5f, ',');
  for (int i = 0; i < 300; ++i) {
    const std::u16string text = random.string(2000);
    const bool as_utf8 = random.pick(0, 1) == 0;
    const std::string bytes =
        as_utf8 ? std::string(kUtf8Bom) + testing::utf8(text) : testing::cp1251(text);
    // What the file holds as text: Windows-1251 lacks some characters.
    const std::u16string written = decode_text(bytes);
    if (as_utf8) {
      ASSERT_EQ(written, text);
    }
    const std::filesystem::path source = folder.path() / "source.txt";
    testing::write_bytes(source, bytes);
    const BuildResult result = build_dictionary(source, folder.path(), clock);
    ASSERT_EQ(result.file_name, "dict_100,5.txt");
    ASSERT_EQ(testing::read_bytes(folder.path() / result.file_name),
              literal::build_dictionary_bytes(written))
        << show(written);
  }
}

}  // namespace
}  // namespace velmora
