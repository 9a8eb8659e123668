#include "builder/word_extraction.h"

#include <unordered_set>

#include "runtime/text_case.h"

namespace velmora {

void begin_text(Analyser& analyser) { analyser.text_count = 0; }

namespace {

void append_word(Analyser& analyser, std::u16string_view word) {
  const auto index = static_cast<std::size_t>(analyser.text_count);
  if (index < analyser.text_words.size()) {
    analyser.text_words[index].assign(word);
  } else {
    analyser.text_words.emplace_back(word);
  }
  ++analyser.text_count;
}

}  // namespace

void split_words(Analyser& analyser, std::u16string_view line) {
  std::size_t start = 0;
  while (start <= line.size()) {
    std::size_t end = line.find(kBlank, start);
    if (end == std::u16string_view::npos) end = line.size();
    if (end - start >= kMinWordLength) append_word(analyser, line.substr(start, end - start));
    start = end + 1;
  }
}

void unique_words(Analyser& analyser) {
  analyser.uniq_words.clear();
  analyser.uniq_last = -1;
  const auto count = static_cast<std::size_t>(analyser.text_count);
  std::unordered_set<std::u16string_view> seen;
  seen.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::u16string& word = analyser.text_words[i];
    if (word.empty()) continue;
    if (seen.insert(word).second) analyser.uniq_words.push_back(word);
  }
  analyser.uniq_last = static_cast<std::int64_t>(analyser.uniq_words.size()) - 1;
}

}  // namespace velmora
