#include "core/russian_order.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <string>
#include <unordered_set>

namespace velmora {
namespace {

struct CollatorCloser {
  void operator()(UCollator* collator) const { ucol_close(collator); }
};

// One collator for the process. ICU collators are not safe to share between
// threads, but the core runs on one thread.
UCollator* russian_collator() {
  static const std::unique_ptr<UCollator, CollatorCloser> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* c = ucol_open("ru", &status);
    if (U_FAILURE(status)) throw std::runtime_error("ICU: no collation for Russian");
    return std::unique_ptr<UCollator, CollatorCloser>(c);
  }();
  return collator.get();
}

const UChar* as_uchar(std::u16string_view s) { return reinterpret_cast<const UChar*>(s.data()); }

}  // namespace

bool russian_less(std::u16string_view a, std::u16string_view b) {
  const UCollationResult r = ucol_strcoll(russian_collator(), as_uchar(a),
                                          static_cast<int32_t>(a.size()), as_uchar(b),
                                          static_cast<int32_t>(b.size()));
  if (r != UCOL_EQUAL) return r == UCOL_LESS;
  return a < b;
}

void sort_russian_unique(std::vector<std::u16string_view>& words) {
  // Exact repeats go first, so each distinct word gets one sort key.
  {
    std::unordered_set<std::u16string_view> seen;
    seen.reserve(words.size() * 2);
    std::size_t kept = 0;
    for (std::u16string_view w : words) {
      if (seen.insert(w).second) words[kept++] = w;
    }
    words.resize(kept);
  }

  // Sort keys compare with memcmp; building them once per word is far
  // cheaper than collating at every comparison of the sort.
  UCollator* collator = russian_collator();
  std::vector<std::uint8_t> keys;
  std::vector<std::uint32_t> key_start(words.size() + 1, 0);
  keys.resize(words.size() * 24);
  for (std::size_t i = 0; i < words.size(); ++i) {
    const auto w = words[i];
    std::size_t at = key_start[i];
    for (;;) {
      const int32_t capacity = static_cast<int32_t>(keys.size() - at);
      const int32_t needed = ucol_getSortKey(collator, as_uchar(w), static_cast<int32_t>(w.size()),
                                             keys.data() + at, capacity);
      if (needed <= capacity) {
        key_start[i + 1] = static_cast<std::uint32_t>(at + needed);
        break;
      }
      keys.resize(std::max(keys.size() * 2, at + needed));
    }
  }

  std::vector<std::uint32_t> order(words.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::uint32_t x, std::uint32_t y) {
    const std::size_t lx = key_start[x + 1] - key_start[x];
    const std::size_t ly = key_start[y + 1] - key_start[y];
    const int c = std::memcmp(keys.data() + key_start[x], keys.data() + key_start[y],
                              std::min(lx, ly));
    if (c != 0) return c < 0;
    if (lx != ly) return lx < ly;
    return words[x] < words[y];
  });

  std::vector<std::u16string_view> sorted;
  sorted.reserve(words.size());
  for (std::uint32_t i : order) sorted.push_back(words[i]);
  words.swap(sorted);
}

}  // namespace velmora
