#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/rhyme_search.h"
#include "core/russian_order.h"
#include "core/word_store.h"
#include "runtime/text_case.h"

namespace velmora {
namespace {

SearchSettings with(std::u16string word, std::int16_t letters) {
  SearchSettings settings;
  settings.target_word = std::move(word);
  settings.rhyme_len = letters;
  return settings;
}

TEST(IsRhyme, FollowsTheRules) {
  struct Case {
    std::u16string_view word, candidate;
    std::int16_t letters;
    bool rhymes;
  };
  const Case cases[] = {
      {u"слово", u"слово", 3, false},       // never its own rhyme
      {u"слово", u"клово", 3, true},
      {u"слово", u"ово", 3, true},          // three characters is long enough
      {u"слово", u"во", 2, false},          // two is too short
      {u"слово", u"", 2, false},
      {u"слово", u"многословово", 3, false},  // twelve is too long
      {u"слово", u"десятьново", 3, true},   // ten is the longest allowed
      {u"слово", u"одиннаново", 3, true},
      {u"слово", u"одиннадово", 4, false},
      {u"лёд", u"мед", 2, false},           // е and ё differ
      {u"лёд", u"мёд", 2, true},
      {u"кот", u"Кот", 3, false},           // exact comparison, no case folding
      {u"слово", u"ово", 4, false},         // a three-letter entry never has four to agree
      {u"ово", u"слово", 4, false},         // a word shorter than the ending finds nothing
      {u"во", u"слово", 3, false},
      {u"", u"кот", 2, false},
      {u"стол", u"стул", 1, true},
      {u"стол", u"стул", 2, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(is_rhyme(c.word, c.candidate, with(std::u16string(c.word), c.letters)), c.rhymes)
        << "case " << (&c - cases);
  }
}

// An entry as the store keeps it.
std::u16string to_lower_entry(std::u16string_view field) { return to_lower(trim_blanks(field)); }

// The search as the plain loop: every entry tested with is_rhyme.
std::vector<std::u16string> reference_search(const std::vector<std::u16string>& entries,
                                             const SearchSettings& settings) {
  std::vector<std::u16string> found;
  for (const auto& entry : entries) {
    if (is_rhyme(settings.target_word, entry, settings)) found.push_back(entry);
  }
  return found;
}

TEST(FindRhymes, AgreesWithTheEntryByEntryLoop) {
  // Short words over a small alphabet, so endings collide often, with blanks,
  // ё/е and a character from the astral planes among them.
  const std::u16string alphabet = u"аеёок яЁ";
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> length(0, 12);
  std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::u16string> entries;
    std::u16string text;
    for (int i = 0; i < 300; ++i) {
      std::u16string word;
      for (int n = length(random); n > 0; --n) word.push_back(alphabet[letter(random)]);
      if (i % 50 == 0) word += u"\U00010400";
      text += word + u"\r\n";
      entries.push_back(to_lower_entry(word));
    }
    WordStore store;
    store.add_chunk(parse_dictionary(text));
    ASSERT_EQ(store.count(), 300);
    for (int t = 0; t < 20; ++t) {
      const std::u16string& target = entries[letter(random) * 37 % entries.size()];
      for (std::int16_t letters : {1, 2, 3, 4}) {
        const SearchSettings settings = with(target, letters);
        std::vector<std::u16string> found;
        for (auto w : find_rhymes(store, settings)) found.emplace_back(w);
        std::vector<std::u16string> expected = reference_search(entries, settings);
        // The index visits bucket by bucket; compare as multisets.
        std::sort(found.begin(), found.end());
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(found, expected) << "round " << round << " letters " << letters;
      }
    }
  }
}

TEST(RhymeList, IsSortedInRussianOrderWithEachWordOnce) {
  const std::u16string text =
      u"ёжик\r\nЁжик\r\nежик\r\nкулик\r\nабрикосик\r\nлик\r\nЕжик\r\nяик\r\nёжик\r\n";
  WordStore store;
  store.add_chunk(parse_dictionary(text));
  store.add_chunk(parse_dictionary(text));  // loaded twice: still each word once
  EXPECT_EQ(rhyme_list(store, with(u"пик", 2)),
            (std::vector<std::u16string_view>{u"абрикосик", u"ежик", u"ёжик", u"кулик", u"лик",
                                              u"яик"}));
}

TEST(RussianOrder, SortsYoWithYeAndRemovesExactRepeats) {
  std::vector<std::u16string_view> words = {u"яма", u"ёлка", u"ель", u"жаба", u"елка",
                                            u"ёж",  u"еж",   u"яма", u"абв",  u"ёлка"};
  sort_russian_unique(words);
  EXPECT_EQ(words, (std::vector<std::u16string_view>{u"абв", u"еж", u"ёж", u"елка", u"ёлка",
                                                     u"ель", u"жаба", u"яма"}));
}

TEST(RussianOrder, BreaksTiesByCodeUnits) {
  EXPECT_FALSE(russian_less(u"ель", u"ёлка"));  // е-л-ь comes after е-л-к
  EXPECT_TRUE(russian_less(u"ёлка", u"ель"));
  EXPECT_TRUE(russian_less(u"ежик", u"ёжик"));
  EXPECT_TRUE(russian_less(u"ёжик", u"жаба"));
  // ICU ignores a NUL; the code units still order the two.
  const std::u16string_view with_nul(u"яма\0", 4);
  EXPECT_TRUE(russian_less(u"яма", with_nul));
  EXPECT_FALSE(russian_less(with_nul, u"яма"));
  std::vector<std::u16string_view> words = {u"б", u"а\u0301", u"а", u"а\u0301", u"б"};
  sort_russian_unique(words);
  EXPECT_EQ(words, (std::vector<std::u16string_view>{u"а", u"а\u0301", u"б"}));
}

TEST(RhymeList, EmptyTargetFindsNothing) {
  WordStore store;
  store.add_chunk(parse_dictionary(u"кот\r\nрот\r\n\r\n"));
  EXPECT_TRUE(rhyme_list(store, with(u"", 3)).empty());
  EXPECT_TRUE(rhyme_list(store, with(u"", 2)).empty());
}

}  // namespace
}  // namespace velmora
