#include "core/word_store.h"

#include <algorithm>
#include <limits>

#include "core/settings.h"
#include "runtime/field_parser.h"
#include "runtime/runtime_error.h"
#include "runtime/text_case.h"
#include "runtime/text_file.h"

namespace velmora {

// Collects the fields of one file straight into the chunk's buffer: each
// piece of a field is copied there, and when the field ends its
// blanks are trimmed where it lies; a field that is no candidate is then
// dropped again, so its place is reused.
class DictionaryChunk::Builder {
 public:
  explicit Builder(std::size_t expected_chars) {
    capacity_ = std::max<std::size_t>(expected_chars, 64);
    chunk_.chars_ = allocate_large_array<char16_t>(capacity_);
    chunk_.ends_.reserve(expected_chars / 16);
    chunk_.bucket_of_candidate_.reserve(expected_chars / 16);
  }

  // Text must come lower-cased already: lower-casing commutes with cutting
  // fields, whose delimiters are ASCII, and is cheapest while decoding.
  void feed(std::u16string_view lowered_text) { parser_.feed(lowered_text, *this); }

  DictionaryChunk finish() {
    parser_.finish(*this);
    chunk_.build_index();
    return std::move(chunk_);
  }

  // Field reader sink.
  void text(std::u16string_view piece) {
    if (size_ + piece.size() > capacity_) grow(size_ + piece.size());
    std::copy(piece.begin(), piece.end(), chunk_.chars_.get() + size_);
    size_ += piece.size();
  }

  void end_field() {
    char16_t* chars = chunk_.chars_.get();
    const std::size_t begin = chunk_.ends_.empty() ? 0 : chunk_.ends_.back();
    while (size_ > begin && chars[size_ - 1] == kBlank) --size_;
    std::size_t first = begin;
    while (first < size_ && chars[first] == kBlank) ++first;
    if (first > begin) {
      std::copy(chars + first, chars + size_, chars + begin);
      size_ -= first - begin;
    }
    ++chunk_.entry_count_;
    const std::size_t length = size_ - begin;
    if (length < static_cast<std::size_t>(kMinLen) || length > static_cast<std::size_t>(kMaxLen)) {
      size_ = begin;
      return;
    }
    if (size_ > std::numeric_limits<std::uint32_t>::max()) {
      throw RuntimeError(kOutOfMemory, "Словарь слишком велик: больше 4294967295 знаков в одном файле");
    }
    chunk_.ends_.push_back(static_cast<std::uint32_t>(size_));
    chunk_.bucket_of_candidate_.push_back(
        static_cast<std::uint16_t>(bucket_of(chars[size_ - 2], chars[size_ - 1])));
  }

 private:
  void grow(std::size_t needed) {
    capacity_ = std::max(needed, capacity_ * 2);
    auto bigger = allocate_large_array<char16_t>(capacity_);
    std::copy(chunk_.chars_.get(), chunk_.chars_.get() + size_, bigger.get());
    chunk_.chars_ = std::move(bigger);
  }

  DictionaryChunk chunk_;
  FieldParser parser_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

void DictionaryChunk::build_index() {
  constexpr std::size_t kBuckets = std::size_t{1} << kBucketBits;
  static_assert(kBuckets <= 0x10000);
  bucket_starts_.assign(kBuckets + 1, 0);
  for (const std::uint16_t bucket : bucket_of_candidate_) ++bucket_starts_[bucket + 1];
  for (std::size_t b = 0; b < kBuckets; ++b) bucket_starts_[b + 1] += bucket_starts_[b];
  bucket_entries_.resize(bucket_starts_.back());
  std::vector<std::uint32_t> next(bucket_starts_.begin(), bucket_starts_.end() - 1);
  for (std::size_t i = 0; i < bucket_of_candidate_.size(); ++i) {
    bucket_entries_[next[bucket_of_candidate_[i]]++] = static_cast<std::uint32_t>(i);
  }
  bucket_of_candidate_ = {};
}

DictionaryChunk parse_dictionary(std::u16string_view text) {
  DictionaryChunk::Builder builder(text.size());
  builder.feed(to_lower(text));
  return builder.finish();
}

DictionaryChunk read_dictionary_file(const std::filesystem::path& file) {
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  const std::size_t capacity = error ? 0 : static_cast<std::size_t>(size);
  DictionaryChunk::Builder builder(capacity);
  try {
    read_text_file(
        file, [&](std::u16string_view text) { builder.feed(text); }, {}, LetterCase::lower,
        [&] { builder = DictionaryChunk::Builder(capacity); });
  } catch (const std::bad_alloc&) {
    throw RuntimeError(kOutOfMemory, "Недостаточно памяти, чтобы загрузить словарь «" +
                                         file.string() + "»");
  }
  return builder.finish();
}

void WordStore::add_file(const std::filesystem::path& file) {
  add_chunk(read_dictionary_file(file));
}

void WordStore::add_chunk(DictionaryChunk chunk) {
  // dict_count is a 32-bit count, as the window shows it.
  if (chunk.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - count_)) {
    throw RuntimeError(kOutOfMemory, "Слишком много слов: больше 2147483647 в хранилище");
  }
  const auto added = static_cast<std::int32_t>(chunk.size());
  chunks_.push_back(std::move(chunk));
  count_ += added;
}

void WordStore::reset() {
  chunks_.clear();
  count_ = 0;
}

}  // namespace velmora
