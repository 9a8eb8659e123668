#include "runtime/text_case.h"

#include <unicode/uchar.h>

#include <array>

namespace velmora {
namespace {

// Latin, Greek and Cyrillic, where nearly every letter of a dictionary
// lives, are looked up in a table; the rest goes to ICU.
constexpr char16_t kTableSize = 0x0530;

const std::array<char16_t, kTableSize>& lower_table() {
  static const std::array<char16_t, kTableSize> table = [] {
    std::array<char16_t, kTableSize> t{};
    for (char16_t u = 0; u < kTableSize; ++u) t[u] = static_cast<char16_t>(u_tolower(u));
    return t;
  }();
  return table;
}

bool is_lead_surrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_trail_surrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

char16_t lower_char(char16_t unit) {
  if (unit < kTableSize) return lower_table()[unit];
  if (unit >= 0xD800 && unit <= 0xDFFF) return unit;
  return static_cast<char16_t>(u_tolower(unit));
}

void lower_in_place(std::span<char16_t> text) {
  const auto& table = lower_table();
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t u = text[i];
    if (u < kTableSize) {
      text[i] = table[u];
    } else if (is_lead_surrogate(u) && i + 1 < n && is_trail_surrogate(text[i + 1])) {
      const UChar32 cp = 0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      const UChar32 lower = u_tolower(cp);
      // Simple mappings keep supplementary characters supplementary.
      if (lower >= 0x10000) {
        text[i] = static_cast<char16_t>(0xD800 + ((lower - 0x10000) >> 10));
        text[i + 1] = static_cast<char16_t>(0xDC00 + ((lower - 0x10000) & 0x3FF));
      }
      ++i;
    } else {
      text[i] = lower_char(u);
    }
  }
}

std::u16string to_lower(std::u16string_view text) {
  std::u16string out(text);
  lower_in_place(out);
  return out;
}

std::u16string_view trim_blanks(std::u16string_view text) {
  const auto first = text.find_first_not_of(kBlank);
  if (first == std::u16string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlank);
  return text.substr(first, last - first + 1);
}

}  // namespace velmora
