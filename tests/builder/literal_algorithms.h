#pragma once

// Deliberately literal, slow versions of the builder's text operations,
// written step by step as the operations are defined: positions counted from
// 1, the letter set searched character by character, a new string built for
// every deleted blank and every cut, a linear newest-first scan for repeats.
// They exist only to check the fast operations against; nothing ships them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::literal {

std::u16string keep_letters(const std::u16string& text, const std::u16string& letter_set);
std::u16string squeeze_spaces(const std::u16string& text);

// The builder's word lists with the classic layout: text_words holds the
// words at positions 1 to text_count (position 0 is never written), and
// uniq_words the distinct words at positions 0 to uniq_last.
struct Analyser {
  std::vector<std::u16string> text_words = std::vector<std::u16string>(1);
  std::int64_t text_count = 0;
  std::vector<std::u16string> uniq_words;
  std::int64_t uniq_last = -1;
  std::int64_t yields = 0;  // how often split_words let the window repaint
};

void split_words(Analyser& analyser, const std::u16string& line);
void unique_words(Analyser& analyser);

// A whole build over decoded text: the text cut into fields by FieldParser,
// each field through keep_letters, squeeze_spaces, lower-casing and
// split_words, then unique_words. Returns the dictionary file's bytes: each
// distinct word in Windows-1251 followed by CR LF.
std::string build_dictionary_bytes(std::u16string_view text);

}  // namespace velmora::literal
