#pragma once

#include <string>
#include <string_view>

namespace velmora {

// The letters a source text keeps: the 33 lower-case Russian letters а–я and
// ё, in the order of the keyboard rows (the order has no effect).
inline constexpr std::u16string_view kRussianLetters = u"йцукенгшщзхъфывапролджэячсмитьбюё";

// The first cleaning step for a field of a source text. Every character whose
// lower-case form (lower_char) is one of letter_set, compared code unit for
// code unit, is kept as it is, in its own case; every other character becomes
// one blank. The result has exactly the length of text. letter_set is
// expected in lower case: an upper-case member can never match. With
// kRussianLetters the survivors are exactly А–Я, Ё, а–я and ё.
std::u16string keep_letters(std::u16string_view text, std::u16string_view letter_set);

// The second cleaning step: removes the blanks (U+0020) at both ends and
// shrinks every run of blanks inside to one blank. Every other character,
// tabs included, stays as it is and in its place. Linear in the length.
std::u16string squeeze_spaces(std::u16string_view text);

// The whole cleaning of one field: keep_letters with letter_set,
// squeeze_spaces, then lower-casing (to_lower). The result is empty or
// lower-case words of the set separated by single blanks.
std::u16string clean_field(std::u16string_view field,
                           std::u16string_view letter_set = kRussianLetters);

// True for the code units keep_letters keeps with kRussianLetters: А–Я
// (U+0410–U+042F), а–я (U+0430–U+044F), Ё (U+0401) and ё (U+0451).
constexpr bool is_russian_letter(char16_t unit) {
  return (unit >= u'\u0410' && unit <= u'\u044F') || unit == u'\u0401' || unit == u'\u0451';
}

}  // namespace velmora
