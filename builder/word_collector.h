#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Collects the distinct words of a source text while the text streams by,
// as the sink of a FieldParser (text(piece) / end_field()).
//
// The words and their order are exactly those that cleaning every field
// (clean_field with kRussianLetters), split_words over the cleaned fields in
// file order and then unique_words would give: the maximal runs of Russian
// letters (is_russian_letter) of kMinWordLength or more, lower-cased, each
// once, in the order of first occurrence. A field end always ends a word; a
// word may straddle any number of pieces of one field.
//
// Memory grows with the distinct words only: a word that was seen before
// costs nothing, and no field or text is held whole. The distinct words are
// kept as the bytes of the dictionary file they end up in, each lower-case
// word in Windows-1251 followed by CR LF, indexed by an open-addressing hash
// table.
class WordCollector {
 public:
  WordCollector();

  // The next piece of the current field.
  void text(std::u16string_view piece);
  // The current field is complete; so is the word in progress, if any.
  void end_field();

  // Words of kMinWordLength or more letters seen so far, repeats included.
  std::int64_t text_count() const { return text_count_; }
  // Distinct words seen so far.
  std::int64_t word_count() const { return word_count_; }

  // The dictionary file's bytes: every distinct word in Windows-1251 with CR
  // LF after it, in the order of first occurrence. A word still in progress
  // (no end_field yet) is not part of it.
  std::string_view dictionary_bytes() const { return image_; }

  // The distinct words as text, in the order of first occurrence.
  std::vector<std::u16string> words() const;

 private:
  void end_word();
  void insert(std::string_view word);
  void grow();

  // The word in progress, lower-case Windows-1251, in word_[0, word_length_).
  // word_ is kept at least as long as the word can get within the current
  // piece, so letters are stored without a capacity check each.
  std::string word_;
  std::size_t word_length_ = 0;
  std::string image_;  // the dictionary file's bytes
  // Open addressing, linear probing; a power of two in size, at most half
  // full. A slot holds the word's first 8 bytes (zero-padded, so a word under
  // 8 letters is compared without touching image_), and the high bits of
  // the word's hash above the word's offset in image_ plus one (0 marks an
  // empty slot). A word's length needs no storing: in image_ every word ends
  // at its CR.
  struct Slot {
    std::uint64_t head = 0;
    std::uint64_t where = 0;
  };
  std::vector<Slot> slots_;
  std::int64_t text_count_ = 0;
  std::int64_t word_count_ = 0;
};

}  // namespace velmora
