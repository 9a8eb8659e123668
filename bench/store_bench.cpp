// Loading the bundled dictionary and searching it, as built and as a plain
// reference: a vector of strings filled entry by entry and a per-entry loop,
// the way the store would naively be written. Run from the build folder:
//   ./bin/velmora-store-bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

#include "core/rhyme_search.h"
#include "core/russian_order.h"
#include "core/word_store.h"
#include "runtime/directory.h"
#include "runtime/field_parser.h"
#include "runtime/text_case.h"
#include "runtime/text_codec.h"
#include "runtime/text_file.h"

namespace {

using namespace velmora;

std::filesystem::path dictionary_path() {
  if (const char* path = std::getenv("VELMORA_BENCH_DICT")) return path;
  return executable_folder() / "dict" / "russian_forms.cp1251.txt";
}

// The reference store: one heap string per entry.
struct ReferenceStore {
  std::vector<std::u16string> words;

  void text(std::u16string_view piece) { field.append(piece); }
  void end_field() {
    words.emplace_back(trim_blanks(field));
    lower_in_place(words.back());
    field.clear();
  }
  std::u16string field;
};

ReferenceStore load_reference(const std::filesystem::path& path) {
  ReferenceStore store;
  store.words.reserve(1 << 21);
  FieldParser parser;
  read_text_file(path, [&](std::u16string_view text) { parser.feed(text, store); });
  parser.finish(store);
  return store;
}

const WordStore& loaded_store() {
  static const WordStore store = [] {
    WordStore s;
    s.add_file(dictionary_path());
    return s;
  }();
  return store;
}

const ReferenceStore& loaded_reference() {
  static const ReferenceStore store = load_reference(dictionary_path());
  return store;
}

SearchSettings settings_for(std::u16string word, std::int16_t letters) {
  SearchSettings settings;
  settings.target_word = std::move(word);
  settings.rhyme_len = letters;
  return settings;
}

void BM_LoadStore(benchmark::State& state) {
  for (auto _ : state) {
    WordStore store;
    store.add_file(dictionary_path());
    benchmark::DoNotOptimize(store.count());
  }
  state.counters["entries"] = loaded_store().count();
}
BENCHMARK(BM_LoadStore)->Unit(benchmark::kMillisecond);

void BM_LoadReference(benchmark::State& state) {
  for (auto _ : state) {
    ReferenceStore store = load_reference(dictionary_path());
    benchmark::DoNotOptimize(store.words.size());
  }
}
BENCHMARK(BM_LoadReference)->Unit(benchmark::kMillisecond);

void search(benchmark::State& state, std::u16string word, std::int16_t letters) {
  const WordStore& store = loaded_store();
  const SearchSettings settings = settings_for(std::move(word), letters);
  std::size_t results = 0;
  for (auto _ : state) {
    const auto list = rhyme_list(store, settings);
    results = list.size();
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["results"] = static_cast<double>(results);
}

void reference_loop(benchmark::State& state, std::u16string word, std::int16_t letters) {
  const ReferenceStore& store = loaded_reference();
  const SearchSettings settings = settings_for(std::move(word), letters);
  std::size_t results = 0;
  for (auto _ : state) {
    std::vector<std::u16string_view> found;
    for (const auto& entry : store.words) {
      if (is_rhyme(settings.target_word, entry, settings)) found.push_back(entry);
    }
    results = found.size();
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["matches"] = static_cast<double>(results);
}

BENCHMARK_CAPTURE(search, slovo_3_letters, u"слово", 3)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(reference_loop, slovo_3_letters_loop_only, u"слово", 3)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(search, sya_2_letters_worst, u"ся", 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(reference_loop, sya_2_letters_loop_only, u"ся", 2)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
