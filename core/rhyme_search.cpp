#include "core/rhyme_search.h"

#include "core/russian_order.h"

namespace velmora {
namespace {

std::u16string_view ending(std::u16string_view s, std::size_t n) {
  return s.size() <= n ? s : s.substr(s.size() - n);
}

}  // namespace

bool is_rhyme(std::u16string_view word, std::u16string_view candidate,
              const SearchSettings& settings) {
  if (candidate == word) return false;
  const auto length = static_cast<long long>(candidate.size());
  if (length < settings.min_len || length > settings.max_len) return false;
  const auto n = static_cast<std::size_t>(settings.rhyme_len < 0 ? 0 : settings.rhyme_len);
  return ending(candidate, n) == ending(word, n);
}

std::vector<std::u16string_view> find_rhymes(const WordStore& store,
                                             const SearchSettings& settings) {
  std::vector<std::u16string_view> found;
  const std::u16string_view word = settings.target_word;
  const auto collect = [&](std::u16string_view entry) {
    if (is_rhyme(word, entry, settings)) found.push_back(entry);
  };

  // The store keeps only the entries of kMinLen..kMaxLen characters, indexed
  // by their last two characters. With at least two letters to agree, a
  // rhyme shares the word's last two characters, so only that bucket can
  // hold rhymes. (A word shorter than rhyme_len has a shorter ending than any
  // candidate and finds nothing; the bucket of its last two characters holds
  // nothing that passes is_rhyme either.)
  const bool index_applies = settings.rhyme_len >= 2 && word.size() >= 2;
  for (const DictionaryChunk& chunk : store.chunks()) {
    if (index_applies) {
      chunk.for_each_candidate_ending_in(word.substr(word.size() - 2), collect);
    } else {
      for (std::size_t i = 0; i < chunk.candidate_count(); ++i) collect(chunk.candidate(i));
    }
  }
  return found;
}

std::vector<std::u16string_view> rhyme_list(const WordStore& store,
                                            const SearchSettings& settings) {
  std::vector<std::u16string_view> list = find_rhymes(store, settings);
  sort_russian_unique(list);
  return list;
}

}  // namespace velmora
