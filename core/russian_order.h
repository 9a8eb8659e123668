#pragma once

#include <string_view>
#include <vector>

namespace velmora {

// Russian alphabetical order, as ICU's collation for Russian defines it
// (ё sorts with е, case and accents decide only between otherwise equal
// words). Words that collate equal but differ in their code units are ordered
// by code units, so the order is total and equal words are neighbours.
//
// Sorts the words and removes exact repeats.
void sort_russian_unique(std::vector<std::u16string_view>& words);

// The same order as a comparison, for tests and small jobs.
bool russian_less(std::u16string_view a, std::u16string_view b);

}  // namespace velmora
