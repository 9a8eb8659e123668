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

// Removes leading and trailing blanks (U+0020 only).
std::u16string_view trim_blanks(std::u16string_view text);

}  // namespace velmora
