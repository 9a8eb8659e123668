// velmora-build-literal-bench TEXT: times the builder's operations on one text,
// in memory: the literal step-by-step versions the tests check against, the
// fast named operations (clean_field, split_words, unique_words) and the
// streaming collector the build command uses. All three must agree.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "builder/text_cleaning.h"
#include "builder/word_collector.h"
#include "builder/word_extraction.h"
#include "literal_algorithms.h"
#include "runtime/field_parser.h"
#include "runtime/text_codec.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Fields, whole, as the field reader cuts them.
struct Fields {
  std::vector<std::u16string> list;
  std::u16string current;
  void text(std::u16string_view piece) { current.append(piece); }
  void end_field() {
    list.push_back(std::move(current));
    current.clear();
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: velmora-build-literal-bench TEXT\n";
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  if (!file) {
    std::cerr << "cannot read " << argv[1] << '\n';
    return 1;
  }
  const std::u16string text = velmora::decode_text(bytes.str());
  std::printf("text: %zu bytes, %zu code units\n", bytes.str().size(), text.size());

  auto start = Clock::now();
  const std::string literal = velmora::literal::build_dictionary_bytes(text);
  const double literal_seconds = seconds_since(start);

  start = Clock::now();
  Fields fields;
  velmora::FieldParser parser;
  parser.feed(text, fields);
  parser.finish(fields);
  velmora::Analyser analyser;
  velmora::begin_text(analyser);
  for (const auto& field : fields.list) velmora::split_words(analyser, velmora::clean_field(field));
  velmora::unique_words(analyser);
  std::string named;
  for (std::int64_t i = 0; i <= analyser.uniq_last; ++i) {
    named += velmora::encode_cp1251(analyser.uniq_words[static_cast<std::size_t>(i)]) + "\r\n";
  }
  const double named_seconds = seconds_since(start);

  start = Clock::now();
  velmora::WordCollector collector;
  velmora::FieldParser stream_parser;
  stream_parser.feed(text, collector);
  stream_parser.finish(collector);
  const double streaming_seconds = seconds_since(start);

  std::printf("words: %lld, distinct: %lld\n", static_cast<long long>(collector.text_count()),
              static_cast<long long>(collector.word_count()));
  std::printf("literal operations:   %10.3f s\n", literal_seconds);
  std::printf("fast named operations:%10.3f s\n", named_seconds);
  std::printf("streaming collector:  %10.3f s\n", streaming_seconds);
  std::printf("literal / streaming:  %10.0f x\n", literal_seconds / streaming_seconds);
  if (literal != named || literal != collector.dictionary_bytes()) {
    std::cerr << "the three results differ\n";
    return 1;
  }
  return 0;
}
