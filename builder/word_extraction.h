#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Words shorter than this never reach a dictionary.
inline constexpr std::size_t kMinWordLength = 4;

// The builder's word lists for one text. Growable: a text may hold any number
// of words.
//
//  - text_words: the words of the text in text order, repeats included, at
//    indices 0 to text_count - 1. Elements past text_count may still hold
//    words of an earlier text; nothing reads them.
//  - text_count: the number of words in text_words; begin_text sets it to 0.
//  - uniq_words: the distinct words of text_words[0, text_count) at indices
//    0 to uniq_last, each once, in the order of first occurrence. Two words
//    are the same only when they match code unit for code unit («ёлка» and
//    «елка» differ, and so do words that differ only in case).
//  - uniq_last: the index of the last distinct word, -1 when there is none;
//    the number of distinct words is uniq_last + 1.
struct Analyser {
  std::vector<std::u16string> text_words;
  std::int64_t text_count = 0;
  std::vector<std::u16string> uniq_words;
  std::int64_t uniq_last = -1;
};

// Starts a new text: text_count = 0.
void begin_text(Analyser& analyser);

// Cuts line at every blank (U+0020) and appends each piece of kMinWordLength
// or more code units to text_words, raising text_count; shorter pieces, and
// the empty pieces of leading, trailing or adjacent blanks, are dropped. Only
// the blank separates: any other character belongs to its word. Linear in the
// length of line.
void split_words(Analyser& analyser, std::u16string_view line);

// Rebuilds uniq_words and uniq_last from text_words[0, text_count): every
// non-empty word once, in the order of its first occurrence. Repeats are found
// with a hash set, so the cost is linear in the number of words.
void unique_words(Analyser& analyser);

}  // namespace velmora
