#include "literal_algorithms.h"

#include "runtime/field_parser.h"
#include "runtime/text_case.h"
#include "runtime/text_codec.h"

namespace velmora::literal {
namespace {

const std::u16string kBlankString = u" ";

// Leading and trailing blanks removed, one character at a time.
std::u16string trim(std::u16string s) {
  while (!s.empty() && s.front() == u' ') s = s.substr(1);
  while (!s.empty() && s.back() == u' ') s = s.substr(0, s.size() - 1);
  return s;
}

// The position (from 1) of the first blank of s, 0 when there is none.
std::size_t first_blank(const std::u16string& s) {
  for (std::size_t position = 1; position <= s.size(); ++position) {
    if (s.substr(position - 1, 1) == kBlankString) return position;
  }
  return 0;
}

}  // namespace

std::u16string keep_letters(const std::u16string& text, const std::u16string& letter_set) {
  std::u16string w = text;
  const std::size_t n = w.size();
  for (std::size_t i = 1; i <= n; ++i) {
    char16_t c = w[i - 1];
    const char16_t lowered = lower_char(c);
    bool found = false;
    for (std::size_t j = 1; j <= letter_set.size(); ++j) {
      if (letter_set[j - 1] == lowered) {
        found = true;
        break;
      }
    }
    if (!found) c = u' ';
    w[i - 1] = c;  // overwrites exactly one character
  }
  return w;
}

std::u16string squeeze_spaces(const std::u16string& text) {
  std::u16string w = trim(text);
  std::u16string prev = w.empty() ? std::u16string() : w.substr(0, 1);
  const std::size_t n = w.size();
  for (std::size_t i = 2; i <= n; ++i) {
    const std::u16string cur = i <= w.size() ? w.substr(i - 1, 1) : std::u16string();
    if (cur == prev && cur == kBlankString) {
      w = w.substr(0, i - 1) + w.substr(i);
      --i;
    }
    prev = cur;
  }
  return w;
}

void split_words(Analyser& analyser, const std::u16string& line) {
  std::u16string s = line;
  std::size_t pos = 1;
  while (pos > 0) {
    ++analyser.yields;
    pos = first_blank(s);
    std::u16string word;
    if (pos > 0) {
      word = trim(s.substr(0, pos));
      s = s.substr(pos);
    } else {
      word = trim(s);
    }
    if (word.size() >= 4) {
      analyser.text_count = analyser.text_count + 1;
      const auto position = static_cast<std::size_t>(analyser.text_count);
      if (analyser.text_words.size() <= position) analyser.text_words.resize(position + 1);
      analyser.text_words[position] = word;
    }
  }
}

void unique_words(Analyser& analyser) {
  analyser.uniq_last = -1;
  const std::int64_t n = analyser.text_count;
  for (std::int64_t i = 1; i <= n; ++i) {
    const std::u16string& word = analyser.text_words[static_cast<std::size_t>(i)];
    if (word.empty()) continue;
    bool matched = false;
    for (std::int64_t j = analyser.uniq_last; j >= 0; --j) {
      if (analyser.uniq_words[static_cast<std::size_t>(j)] == word) {
        matched = true;
        break;
      }
    }
    if (matched) continue;
    analyser.uniq_last = analyser.uniq_last + 1;
    const auto position = static_cast<std::size_t>(analyser.uniq_last);
    if (analyser.uniq_words.size() <= position) analyser.uniq_words.resize(position + 1);
    analyser.uniq_words[position] = word;
  }
}

namespace {

struct WholeFieldSink {
  std::vector<std::u16string>& fields;
  std::u16string current;
  void text(std::u16string_view piece) { current.append(piece); }
  void end_field() {
    fields.push_back(current);
    current.clear();
  }
};

}  // namespace

std::string build_dictionary_bytes(std::u16string_view text) {
  static const std::u16string kLetters = u"йцукенгшщзхъфывапролджэячсмитьбюё";
  std::vector<std::u16string> fields;
  WholeFieldSink sink{fields, {}};
  FieldParser parser;
  parser.feed(text, sink);
  parser.finish(sink);

  Analyser analyser;
  analyser.text_count = 0;
  for (const std::u16string& field : fields) {
    const std::u16string cleaned = to_lower(squeeze_spaces(keep_letters(field, kLetters)));
    split_words(analyser, cleaned);
  }
  unique_words(analyser);

  std::string bytes;
  for (std::int64_t j = 0; j <= analyser.uniq_last; ++j) {
    bytes += encode_cp1251(analyser.uniq_words[static_cast<std::size_t>(j)]);
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace velmora::literal
