#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "core/word_store.h"

namespace velmora {

// The rhyme test: the candidate is not the word itself, is min_len..max_len
// characters long, and its last rhyme_len characters equal the word's (the
// whole string where it is shorter). Exact code-unit comparison: е and ё
// differ, and both sides are expected in lower case already.
bool is_rhyme(std::u16string_view word, std::u16string_view candidate,
              const SearchSettings& settings);

// Every store entry that rhymes with settings.target_word, in store order,
// repeats included: exactly the entries for which is_rhyme holds.
std::vector<std::u16string_view> find_rhymes(const WordStore& store,
                                             const SearchSettings& settings);

// The result list: the rhymes sorted in Russian alphabetical order, each word
// once. Views point into the store and live until it changes.
std::vector<std::u16string_view> rhyme_list(const WordStore& store,
                                            const SearchSettings& settings);

}  // namespace velmora
