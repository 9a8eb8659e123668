#include "builder/text_cleaning.h"

#include "runtime/text_case.h"

namespace velmora {

std::u16string keep_letters(std::u16string_view text, std::u16string_view letter_set) {
  std::u16string result(text);
  if (letter_set == kRussianLetters) {
    // The lower-case form of a code unit lies in а–я or is ё exactly when the
    // unit is one of the ranges is_russian_letter checks.
    for (char16_t& unit : result) {
      if (!is_russian_letter(unit)) unit = kBlank;
    }
  } else {
    for (char16_t& unit : result) {
      if (letter_set.find(lower_char(unit)) == std::u16string_view::npos) unit = kBlank;
    }
  }
  return result;
}

std::u16string squeeze_spaces(std::u16string_view text) {
  const std::u16string_view trimmed = trim_blanks(text);
  std::u16string result;
  result.reserve(trimmed.size());
  bool after_blank = false;
  for (const char16_t unit : trimmed) {
    const bool blank = unit == kBlank;
    if (!(blank && after_blank)) result.push_back(unit);
    after_blank = blank;
  }
  return result;
}

std::u16string clean_field(std::u16string_view field, std::u16string_view letter_set) {
  std::u16string cleaned = squeeze_spaces(keep_letters(field, letter_set));
  lower_in_place(cleaned);
  return cleaned;
}

}  // namespace velmora
