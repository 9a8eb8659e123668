#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/large_array.h"

namespace velmora {

// The entries of one dictionary file, trimmed of blanks and lower-cased.
// Every field of the file counts as an entry, but only the candidates, the
// entries of kMinLen..kMaxLen characters, are kept: no search can ever list
// another entry, and a dictionary of word forms is more than half longer
// words. The candidates are kept back to back in file order and indexed by
// their last two characters, so a search looks only at the entries that
// share the target's last two characters.
class DictionaryChunk {
 public:
  // Builds a chunk from text that is fed in pieces through the field reader.
  class Builder;

  // The number of entries (fields) of the file.
  std::size_t size() const { return entry_count_; }

  std::size_t candidate_count() const { return ends_.size(); }
  std::u16string_view candidate(std::size_t i) const {
    const std::uint32_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::u16string_view(chars_.get() + begin, ends_[i] - begin);
  }

  // Calls visit(entry) for every candidate entry (kMinLen..kMaxLen
  // characters) whose last two characters may be `last_two`; entries with
  // other endings may be visited too, so callers still compare. Store order.
  template <class Visit>
  void for_each_candidate_ending_in(std::u16string_view last_two, Visit&& visit) const;

 private:
  static constexpr unsigned kBucketBits = 14;
  static std::uint32_t bucket_of(char16_t second_last, char16_t last) {
    const std::uint32_t key = (std::uint32_t{second_last} << 16) | last;
    return (key * 0x9E3779B1u) >> (32 - kBucketBits);
  }
  // Sorts the candidates into their buckets, from bucket_of_candidate_.
  void build_index();

  // The entries back to back. A plain array rather than a string: it is
  // written once, field by field, and never needs zero-filling first.
  LargeArray<char16_t> chars_;
  std::size_t entry_count_ = 0;
  std::vector<std::uint32_t> ends_;                // candidate i ends at ends_[i]
  std::vector<std::uint16_t> bucket_of_candidate_;  // only while building
  std::vector<std::uint32_t> bucket_starts_;   // 2^kBucketBits + 1 offsets
  std::vector<std::uint32_t> bucket_entries_;  // candidate numbers, bucket by bucket
};

// The word store: every entry loaded since start-up or the last reset, in the
// order read. Loading is all or nothing: a file that cannot be read leaves
// the store exactly as it was.
class WordStore {
 public:
  // dict_count: the number of entries. Every field of a file is one entry,
  // empty ones and repeats included.
  std::int32_t count() const { return count_; }

  // Loads a dictionary file (see read_dictionary_file) and appends its entries.
  // Throws RuntimeError naming the file; the store is then unchanged.
  void add_file(const std::filesystem::path& file);
  void add_chunk(DictionaryChunk chunk);

  // Forgets every entry; the count shows 0.
  void reset();

  const std::vector<DictionaryChunk>& chunks() const { return chunks_; }

 private:
  std::vector<DictionaryChunk> chunks_;
  std::int32_t count_ = 0;
};

// Reads a dictionary file (Windows-1251, or UTF-8 when recognisable; see
// read_text_file) field by field into a chunk. Throws RuntimeError naming the
// file when it cannot be opened or read, or is too large to hold.
DictionaryChunk read_dictionary_file(const std::filesystem::path& file);

// The same for text already in memory.
DictionaryChunk parse_dictionary(std::u16string_view text);

template <class Visit>
void DictionaryChunk::for_each_candidate_ending_in(std::u16string_view last_two,
                                                   Visit&& visit) const {
  const std::uint32_t bucket = bucket_of(last_two[0], last_two[1]);
  for (std::uint32_t k = bucket_starts_[bucket]; k < bucket_starts_[bucket + 1]; ++k) {
    visit(candidate(bucket_entries_[k]));
  }
}

}  // namespace velmora
