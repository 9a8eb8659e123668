#include "runtime/text_codec.h"

#include <array>
#include <cstring>

namespace velmora {
namespace {

// Bytes 0x80..0xBF of Windows-1251; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

constexpr std::array<char16_t, 256> make_decode_table() {
  std::array<char16_t, 256> table{};
  for (int b = 0; b < 0x80; ++b) table[b] = static_cast<char16_t>(b);
  for (int b = 0x80; b < 0xC0; ++b) table[b] = kUpperHalf[b - 0x80];
  for (int b = 0xC0; b < 0x100; ++b) table[b] = static_cast<char16_t>(0x0410 + (b - 0xC0));
  return table;
}

constexpr std::array<char16_t, 256> kDecode = make_decode_table();

// Classifies a UTF-8 lead byte: the number of continuation bytes and the
// allowed range of the first one (which excludes overlongs, surrogates and
// code points above U+10FFFF). Returns -1 for a byte that cannot lead.
int lead_byte(unsigned char b, unsigned char& lower, unsigned char& upper, char32_t& bits) {
  lower = 0x80;
  upper = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    bits = b & 0x1F;
    return 1;
  }
  if (b >= 0xE0 && b <= 0xEF) {
    if (b == 0xE0) lower = 0xA0;
    if (b == 0xED) upper = 0x9F;
    bits = b & 0x0F;
    return 2;
  }
  if (b >= 0xF0 && b <= 0xF4) {
    if (b == 0xF0) lower = 0x90;
    if (b == 0xF4) upper = 0x8F;
    bits = b & 0x07;
    return 3;
  }
  return -1;
}

// Takes from data[i, n) the longest run made of ASCII and of well-formed
// two-byte sequences and of three-byte sequences led by E1..EC or EE..EF
// (which need no check beyond their continuation bytes): nearly all of any
// text. Returns where the run ends; with Write, stores its UTF-16 at dest
// and advances dest. Sets non_ascii when the run holds a byte above 0x7F.
template <bool Write>
std::size_t simple_utf8_run(const unsigned char* data, std::size_t i, std::size_t n,
                            char16_t*& dest, bool& non_ascii) {
  unsigned seen = 0;
  while (i < n) {
    const unsigned b = data[i];
    if (b < 0x80) {
      if (i + 8 <= n) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        if ((word & 0x8080808080808080ull) == 0) {
          if constexpr (Write) {
            for (int k = 0; k < 8; ++k) dest[k] = data[i + k];
            dest += 8;
          }
          i += 8;
          continue;
        }
      }
      if constexpr (Write) *dest++ = static_cast<char16_t>(b);
      ++i;
      continue;
    }
    seen = 1;
    if (b - 0xC2u <= 0xDFu - 0xC2u) {
      if (i + 1 >= n || (data[i + 1] & 0xC0) != 0x80) break;
      if constexpr (Write) *dest++ = static_cast<char16_t>(((b & 0x1F) << 6) | (data[i + 1] & 0x3F));
      i += 2;
      continue;
    }
    if (b - 0xE1u <= 0xEFu - 0xE1u && b != 0xED) {
      if (i + 2 >= n || (data[i + 1] & 0xC0) != 0x80 || (data[i + 2] & 0xC0) != 0x80) break;
      if constexpr (Write) {
        *dest++ = static_cast<char16_t>(((b & 0x0F) << 12) | ((data[i + 1] & 0x3F) << 6) |
                                        (data[i + 2] & 0x3F));
      }
      i += 3;
      continue;
    }
    break;
  }
  if (seen) non_ascii = true;
  return i;
}

// Writes a code point as one or two UTF-16 code units; returns the new end.
char16_t* put_code_point(char32_t cp, char16_t* dest) {
  if (cp < 0x10000) {
    *dest++ = static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    *dest++ = static_cast<char16_t>(0xD800 + (cp >> 10));
    *dest++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
  return dest;
}

}  // namespace

char16_t cp1251_to_utf16(unsigned char byte) { return kDecode[byte]; }

unsigned char utf16_to_cp1251(char16_t unit) {
  if (unit < 0x80) return static_cast<unsigned char>(unit);
  if (unit >= 0x0410 && unit <= 0x044F) return static_cast<unsigned char>(0xC0 + (unit - 0x0410));
  for (int i = 0; i < 64; ++i) {
    if (kUpperHalf[i] == unit) return static_cast<unsigned char>(0x80 + i);
  }
  return '?';
}

bool cp1251_can_encode(std::u16string_view text) {
  for (const char16_t unit : text) {
    if (kDecode[utf16_to_cp1251(unit)] != unit) return false;
  }
  return true;
}

void append_cp1251_as_utf16(std::string_view bytes, std::u16string& out) {
  const std::size_t start = out.size();
  out.resize(start + bytes.size());
  char16_t* dest = out.data() + start;
  for (unsigned char b : bytes) *dest++ = kDecode[b];
}

std::string encode_cp1251(std::u16string_view text) {
  std::string out(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    out[i] = static_cast<char>(utf16_to_cp1251(text[i]));
  }
  return out;
}

bool Utf8Validator::feed(std::string_view bytes) {
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n && valid_) {
    if (pending_ == 0) {
      char16_t* no_output = nullptr;
      i = simple_utf8_run<false>(reinterpret_cast<const unsigned char*>(bytes.data()), i, n,
                                 no_output, saw_non_ascii_);
      if (i == n) break;
    }
    const auto b = static_cast<unsigned char>(bytes[i++]);
    if (pending_ > 0) {
      if (b < lower_ || b > upper_) {
        valid_ = false;
        break;
      }
      lower_ = 0x80;
      upper_ = 0xBF;
      --pending_;
      continue;
    }
    saw_non_ascii_ = true;
    char32_t bits;
    pending_ = lead_byte(b, lower_, upper_, bits);
    if (pending_ < 0) valid_ = false;
  }
  return valid_;
}

void Utf8Decoder::decode(std::string_view bytes, std::u16string& out) {
  const std::size_t n = bytes.size();
  const std::size_t start = out.size();
  // Never more code units than bytes; the unused tail is cut at the end.
  out.resize(start + n + 1);
  char16_t* dest = out.data() + start;
  std::size_t i = 0;
  while (i < n) {
    if (pending_ == 0) {
      bool non_ascii = false;
      i = simple_utf8_run<true>(reinterpret_cast<const unsigned char*>(bytes.data()), i, n, dest,
                                non_ascii);
      if (i == n) break;
    }
    const auto b = static_cast<unsigned char>(bytes[i++]);
    if (pending_ > 0) {
      if (b >= lower_ && b <= upper_) {
        code_point_ = (code_point_ << 6) | (b & 0x3F);
        lower_ = 0x80;
        upper_ = 0xBF;
        if (--pending_ == 0) dest = put_code_point(code_point_, dest);
        continue;
      }
      // The sequence broke off: it becomes one U+FFFD and this byte starts afresh.
      *dest++ = 0xFFFD;
      malformed_ = true;
      pending_ = 0;
    }
    if (b < 0x80) {
      *dest++ = b;
      continue;
    }
    const int continuation = lead_byte(b, lower_, upper_, code_point_);
    if (continuation < 0) {
      *dest++ = 0xFFFD;
      malformed_ = true;
    } else {
      pending_ = continuation;
    }
  }
  out.resize(static_cast<std::size_t>(dest - out.data()));
}

void Utf8Decoder::finish(std::u16string& out) {
  if (pending_ > 0) {
    out.push_back(0xFFFD);
    malformed_ = true;
  }
  pending_ = 0;
}

TextEncoding detect_encoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return TextEncoding::utf8;
  Utf8Validator validator;
  validator.feed(bytes);
  return validator.finish() && validator.saw_non_ascii() ? TextEncoding::utf8
                                                         : TextEncoding::windows1251;
}

std::u16string decode_text(std::string_view bytes) {
  std::u16string out;
  if (detect_encoding(bytes) == TextEncoding::windows1251) {
    append_cp1251_as_utf16(bytes, out);
    return out;
  }
  if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
  Utf8Decoder decoder;
  decoder.decode(bytes, out);
  decoder.finish(out);
  return out;
}

std::string to_utf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::u16string from_utf8(std::string_view text) {
  std::u16string out;
  Utf8Decoder decoder;
  decoder.decode(text, out);
  decoder.finish(out);
  return out;
}

}  // namespace velmora
