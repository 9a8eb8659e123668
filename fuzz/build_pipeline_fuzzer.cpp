// Fuzzes the way a source text becomes dictionary words: decoding in chunks,
// the delimited-field reader fed in pieces, the cleaning steps, word
// extraction and de-duplication, and the streaming collector the build uses.
//
// Input: four bytes that seed the chunk sizes, then the file's bytes.
// Checked for every input:
//  - decoding the bytes in random chunks gives the text decode_text gives;
//  - every cleaning step keeps its contract on every field;
//  - the streaming collector, fed the text in random pieces, gives the same
//    words as the named operations over whole fields and as the literal
//    step-by-step versions;
//  - every word is 4 or more of а–я and ё, and no word comes twice.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "builder/text_cleaning.h"
#include "builder/word_collector.h"
#include "builder/word_extraction.h"
#include "literal_algorithms.h"
#include "runtime/field_parser.h"
#include "runtime/text_case.h"
#include "runtime/text_codec.h"

namespace {

using velmora::kBlank;

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

// Chunk sizes from a small generator seeded by the input.
class Chunks {
 public:
  explicit Chunks(std::uint32_t seed) : state_(seed | 1) {}
  std::size_t next(std::size_t limit) {
    state_ = state_ * 1103515245u + 12345u;
    return 1 + (state_ >> 8) % limit;
  }

 private:
  std::uint32_t state_;
};

struct WholeFields {
  std::vector<std::u16string> fields;
  std::u16string current;
  void text(std::u16string_view piece) { current.append(piece); }
  void end_field() {
    fields.push_back(current);
    current.clear();
  }
};

bool is_lower_russian(char16_t unit) { return (unit >= u'а' && unit <= u'я') || unit == u'ё'; }

void check_cleaning(const std::u16string& field) {
  const std::u16string kept = velmora::keep_letters(field, velmora::kRussianLetters);
  check(kept.size() == field.size(), "keep_letters keeps the length");
  for (std::size_t i = 0; i < kept.size(); ++i) {
    check(kept[i] == (velmora::is_russian_letter(field[i]) ? field[i] : kBlank),
          "keep_letters keeps exactly the Russian letters");
  }
  const std::u16string squeezed = velmora::squeeze_spaces(field);
  check(squeezed.size() <= field.size(), "squeeze_spaces never grows");
  check(squeezed.empty() || (squeezed.front() != kBlank && squeezed.back() != kBlank),
        "squeeze_spaces trims");
  check(squeezed.find(u"  ") == std::u16string::npos, "squeeze_spaces leaves no double blank");
  const std::u16string cleaned = velmora::clean_field(field);
  for (const char16_t unit : cleaned) {
    check(unit == kBlank || is_lower_russian(unit), "a cleaned field holds а–я, ё and blanks");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  std::uint32_t seed;
  std::memcpy(&seed, data, 4);
  const std::string bytes(reinterpret_cast<const char*>(data + 4), size - 4);
  Chunks chunks(seed);

  // Decoding, whole and in chunks.
  const std::u16string text = velmora::decode_text(bytes);
  std::u16string streamed;
  if (velmora::detect_encoding(bytes) == velmora::TextEncoding::utf8) {
    std::string_view rest(bytes);
    if (rest.starts_with(velmora::kUtf8Bom)) rest.remove_prefix(velmora::kUtf8Bom.size());
    velmora::Utf8Decoder decoder;
    while (!rest.empty()) {
      const std::size_t n = std::min(rest.size(), chunks.next(7));
      decoder.decode(rest.substr(0, n), streamed);
      rest.remove_prefix(n);
    }
    decoder.finish(streamed);
  } else {
    velmora::append_cp1251_as_utf16(bytes, streamed);
  }
  check(streamed == text, "chunked decoding gives the whole-text decoding");

  // The streaming collector, fed the text in random pieces.
  velmora::WordCollector collector;
  velmora::FieldParser stream_parser;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t n = std::min(text.size() - at, chunks.next(16));
    stream_parser.feed(std::u16string_view(text).substr(at, n), collector);
    at += n;
  }
  stream_parser.finish(collector);

  // The named operations over whole fields.
  WholeFields whole;
  velmora::FieldParser whole_parser;
  whole_parser.feed(text, whole);
  whole_parser.finish(whole);
  velmora::Analyser analyser;
  velmora::begin_text(analyser);
  for (const auto& field : whole.fields) {
    check_cleaning(field);
    velmora::split_words(analyser, velmora::clean_field(field));
  }
  velmora::unique_words(analyser);

  const std::vector<std::u16string> words = collector.words();
  check(collector.text_count() == analyser.text_count, "same number of words");
  check(static_cast<std::int64_t>(words.size()) == analyser.uniq_last + 1,
        "same number of distinct words");
  std::unordered_set<std::u16string> seen;
  for (std::size_t i = 0; i < words.size(); ++i) {
    check(words[i] == analyser.uniq_words[i], "same distinct words in the same order");
    check(words[i].size() >= 4, "words have four or more letters");
    for (const char16_t unit : words[i]) check(is_lower_russian(unit), "words are а–я and ё");
    check(seen.insert(words[i]).second, "no word twice");
  }

  // The literal versions: the same file, byte for byte.
  check(std::string(collector.dictionary_bytes()) == velmora::literal::build_dictionary_bytes(text),
        "the literal build writes the same bytes");
  return 0;
}
