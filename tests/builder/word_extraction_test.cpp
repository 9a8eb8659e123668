#include "builder/word_extraction.h"

#include <gtest/gtest.h>

#include "runtime/text_codec.h"

namespace velmora {
namespace {

using Words = std::vector<std::u16string>;

// The words text_words holds for the current text.
Words current_words(const Analyser& analyser) {
  return Words(analyser.text_words.begin(), analyser.text_words.begin() + analyser.text_count);
}

Words distinct_words(const Analyser& analyser) {
  return Words(analyser.uniq_words.begin(), analyser.uniq_words.begin() + (analyser.uniq_last + 1));
}

TEST(SplitWords, Examples) {
  const struct {
    std::u16string line;
    Words expected;
  } cases[] = {
      {u"котик учёный котик дом", {u"котик", u"учёный", u"котик"}},
      {u"дома", {u"дома"}},
      {u"дом", {}},
      {u"", {}},
      {u"  река  ", {u"река"}},
      {u" ", {}},
      {u"абвг абв абвгд", {u"абвг", u"абвгд"}},
      // Only the blank separates; a tab belongs to the word.
      {u"один\tдва три", {u"один\tдва"}},
      {u"ab,cd efgh", {u"ab,cd", u"efgh"}},
  };
  for (const auto& c : cases) {
    Analyser analyser;
    begin_text(analyser);
    split_words(analyser, c.line);
    EXPECT_EQ(current_words(analyser), c.expected) << to_utf8(c.line);
    EXPECT_EQ(analyser.text_count, static_cast<std::int64_t>(c.expected.size()));
  }
}

TEST(SplitWords, AppendsAcrossLinesOfOneText) {
  Analyser analyser;
  begin_text(analyser);
  split_words(analyser, u"первое слово");
  split_words(analyser, u"");
  split_words(analyser, u"второе");
  EXPECT_EQ(current_words(analyser), (Words{u"первое", u"слово", u"второе"}));
}

TEST(UniqueWords, Examples) {
  const struct {
    std::vector<std::u16string> lines;
    Words expected;
  } cases[] = {
      {{u"котик учёный котик"}, {u"котик", u"учёный"}},
      {{u"ёлка елка ёлка"}, {u"ёлка", u"елка"}},
      {{u"дом кот"}, {}},
      {{}, {}},
      {{u"слово", u"слово слово"}, {u"слово"}},
      // Case matters here: lower-casing happens before, in cleaning.
      {{u"Слово слово СЛОВО"}, {u"Слово", u"слово", u"СЛОВО"}},
      {{u"бета альфа", u"гамма альфа бета"}, {u"бета", u"альфа", u"гамма"}},
  };
  for (const auto& c : cases) {
    Analyser analyser;
    begin_text(analyser);
    for (const auto& line : c.lines) split_words(analyser, line);
    unique_words(analyser);
    EXPECT_EQ(distinct_words(analyser), c.expected);
    EXPECT_EQ(analyser.uniq_last, static_cast<std::int64_t>(c.expected.size()) - 1);
  }
}

TEST(UniqueWords, KotikUchyonyPositions) {
  Analyser analyser;
  begin_text(analyser);
  split_words(analyser, u"котик учёный котик");
  unique_words(analyser);
  ASSERT_EQ(analyser.uniq_last, 1);
  EXPECT_EQ(analyser.uniq_words[0], u"котик");
  EXPECT_EQ(analyser.uniq_words[1], u"учёный");
}

TEST(UniqueWords, NoLongWordLeavesCountsEmpty) {
  Analyser analyser;
  begin_text(analyser);
  split_words(analyser, u"дом кот ель");
  unique_words(analyser);
  EXPECT_EQ(analyser.text_count, 0);
  EXPECT_EQ(analyser.uniq_last, -1);
}

TEST(UniqueWords, SkipsEmptyEntries) {
  Analyser analyser;
  analyser.text_words = {u"", u"слово", u"", u"слово"};
  analyser.text_count = 4;
  unique_words(analyser);
  EXPECT_EQ(distinct_words(analyser), Words{u"слово"});
}

TEST(UniqueWords, SecondTextStartsAfreshAndIgnoresLeftovers) {
  Analyser analyser;
  begin_text(analyser);
  split_words(analyser, u"первый второй третий четвёртый");
  unique_words(analyser);
  ASSERT_EQ(analyser.uniq_last, 3);

  begin_text(analyser);
  split_words(analyser, u"пятый пятый");
  unique_words(analyser);
  EXPECT_EQ(analyser.text_count, 2);
  EXPECT_EQ(current_words(analyser), (Words{u"пятый", u"пятый"}));
  EXPECT_EQ(distinct_words(analyser), Words{u"пятый"});

  // Resetting the count alone, as a caller may, is enough: words of the
  // first text still lying past text_count never reach the result.
  analyser.text_count = 0;
  split_words(analyser, u"шестой");
  unique_words(analyser);
  EXPECT_EQ(distinct_words(analyser), Words{u"шестой"});
}

TEST(UniqueWords, NoLimitOnTheNumberOfWords) {
  Analyser analyser;
  begin_text(analyser);
  const int kWords = 600'000;
  std::u16string line;
  for (int i = 0; i < kWords; ++i) {
    // Six letters spelling i in base 32 with а–я letters: all distinct.
    std::u16string word;
    for (int k = 0, v = i; k < 6; ++k, v /= 32)
      word.push_back(static_cast<char16_t>(u'а' + v % 32));
    line += word;
    line += u' ';
  }
  split_words(analyser, line);
  split_words(analyser, line);
  EXPECT_EQ(analyser.text_count, 2 * kWords);
  unique_words(analyser);
  EXPECT_EQ(analyser.uniq_last, kWords - 1);
  EXPECT_EQ(analyser.uniq_words[0], u"аааааа");
  EXPECT_EQ(analyser.uniq_words[kWords - 1], analyser.text_words[kWords - 1]);
}

}  // namespace
}  // namespace velmora
