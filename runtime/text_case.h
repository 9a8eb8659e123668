#pragma once

#include <span>
#include <string>
#include <string_view>

namespace velmora {

// The blank: U+0020 and nothing else. Trimming and word cutting know no other
// white space.
inline constexpr char16_t kBlank = u' ';

// Unicode simple lower-case mapping of one code unit (А -> а, Ё -> ё,
// Ђ -> ђ, A -> a). A surrogate is returned unchanged.
char16_t lower_char(char16_t unit);

// Whole-string lower-casing by the Unicode simple mapping, code point by code
// point, so the length in code units never changes.
std::u16string to_lower(std::u16string_view text);
// The same, in place.
void lower_in_place(std::span<char16_t> text);
inline void lower_in_place(std::u16string& text) { lower_in_place(std::span<char16_t>(text)); }

// Copies text to dest lower-cased, as fast as a copy for the Latin, Greek
// and Cyrillic letters. Returns false, with dest unspecified, when the text
// holds a character beyond those; the caller then lower-cases dest with
// lower_in_place after a plain copy.
inline bool lower_copy_fast(std::u16string_view text, char16_t* dest);

// The lower-case table behind lower_copy_fast: code units below
// kLowerTableSize.
inline constexpr char16_t kLowerTableSize = 0x0530;
const char16_t* lower_table_data();

inline bool lower_copy_fast(std::u16string_view text, char16_t* dest) {
  const char16_t* table = lower_table_data();
  bool all_in_table = true;
  for (const char16_t u : text) {
    const bool in_table = u < kLowerTableSize;
    all_in_table &= in_table;
    *dest++ = table[in_table ? u : 0];
  }
  return all_in_table;
}

// Removes leading and trailing blanks (U+0020 only).
std::u16string_view trim_blanks(std::u16string_view text);

}  // namespace velmora
