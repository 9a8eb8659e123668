#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Conversions between the bytes of files and the UTF-16 text the program
// works on. Dictionary and source files are Windows-1251 unless they are
// recognisably UTF-8 (see detect_encoding).
namespace velmora {

// Windows-1251 byte -> UTF-16 code unit. Byte 0x98, unassigned in the code
// page, maps to U+0098 as Windows' own converter does, so every byte decodes
// and a decode/encode round trip gives back the same bytes.
char16_t cp1251_to_utf16(unsigned char byte);

// UTF-16 code unit -> Windows-1251 byte; a character the code page lacks
// becomes '?'.
unsigned char utf16_to_cp1251(char16_t unit);

// Whether every character of the text has a Windows-1251 byte.
bool cp1251_can_encode(std::u16string_view text);

void append_cp1251_as_utf16(std::string_view bytes, std::u16string& out);
std::string encode_cp1251(std::u16string_view text);

enum class TextEncoding { windows1251, utf8 };

// Checks UTF-8 well-formedness incrementally, for text that arrives in chunks:
// no overlong forms, no surrogates, nothing above U+10FFFF.
class Utf8Validator {
 public:
  // Returns false once the bytes seen so far cannot be UTF-8.
  bool feed(std::string_view bytes);
  // True when everything fed was UTF-8 and no sequence is left unfinished.
  bool finish() const { return valid_ && pending_ == 0; }
  bool saw_non_ascii() const { return saw_non_ascii_; }

 private:
  bool valid_ = true;
  bool saw_non_ascii_ = false;
  int pending_ = 0;           // continuation bytes still expected
  unsigned char lower_ = 0x80;  // allowed range of the next continuation byte
  unsigned char upper_ = 0xBF;
};

// Decodes UTF-8 arriving in chunks; a sequence split between chunks is
// completed by the next one. Malformed bytes become U+FFFD.
class Utf8Decoder {
 public:
  void decode(std::string_view bytes, std::u16string& out);
  // Flushes an unfinished sequence at the end of the input as U+FFFD.
  void finish(std::u16string& out);
  // Whether any input so far was not UTF-8 (and became U+FFFD).
  bool malformed() const { return malformed_; }

 private:
  bool malformed_ = false;
  char32_t code_point_ = 0;
  int pending_ = 0;
  unsigned char lower_ = 0x80;
  unsigned char upper_ = 0xBF;
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The encoding of a whole file's bytes: UTF-8 when it starts with the UTF-8
// byte-order mark, or when it is well-formed UTF-8 with at least one non-ASCII
// byte (real Windows-1251 Russian text never is); Windows-1251 otherwise.
TextEncoding detect_encoding(std::string_view bytes);

// Decodes a whole file's bytes by detect_encoding, dropping a UTF-8 BOM.
std::u16string decode_text(std::string_view bytes);

std::string to_utf8(std::u16string_view text);
// Malformed input becomes U+FFFD.
std::u16string from_utf8(std::string_view text);

}  // namespace velmora
