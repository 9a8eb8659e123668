#include <gtest/gtest.h>

#include "core/rhyme_search.h"
#include "core/word_store.h"
#include "runtime/runtime_error.h"
#include "runtime/text_codec.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::TempDir;
using testing::write_bytes;

// The kept candidates of a chunk, in file order.
std::vector<std::u16string> candidates(const DictionaryChunk& chunk) {
  std::vector<std::u16string> out;
  for (std::size_t i = 0; i < chunk.candidate_count(); ++i) out.emplace_back(chunk.candidate(i));
  return out;
}

TEST(DictionaryParsing, EveryFieldIsAnEntryTrimmedAndLowerCased) {
  struct Case {
    const char* name;
    std::u16string text;
    std::size_t entries;
    std::vector<std::u16string> candidates;
  };
  const Case cases[] = {
      {"two_words_with_comma", u"кот,пёс\r\n", 2, {u"кот", u"пёс"}},
      {"capitalised_between_blanks", u"   Кошка   \r\n", 1, {u"кошка"}},
      {"quoted_keeps_comma", u"\"кот,пёс\"\r\n", 1, {u"кот,пёс"}},
      {"quoted_blanks_trimmed", u"\"  Дом  \"\r\n", 1, {u"дом"}},
      {"blank_line_counts", u"кот\r\n\r\nпёс\r\n", 3, {u"кот", u"пёс"}},
      {"inner_blanks_kept", u"Два Слова\r\n", 1, {u"два слова"}},
      {"too_short_and_too_long_counted_not_kept",
       u"я\r\nмы\r\nтри\r\nдесятьбукв\r\nодиннадцать\r\n", 5, {u"три", u"десятьбукв"}},
      {"length_counts_after_trimming", u"\"   кот      \"\r\n", 1, {u"кот"}},
      {"repeats_kept", u"кот\r\nКОТ\r\n", 2, {u"кот", u"кот"}},
      {"empty_file", u"", 0, {}},
      {"supplementary_letters_lowered", u"\U00010400\U00010400\U00010400", 1,
       {u"\U00010428\U00010428\U00010428"}},
  };
  for (const Case& c : cases) {
    const DictionaryChunk chunk = parse_dictionary(c.text);
    EXPECT_EQ(chunk.size(), c.entries) << c.name;
    EXPECT_EQ(candidates(chunk), c.candidates) << c.name;
  }
}

class WordStoreFiles : public ::testing::Test {
 protected:
  std::filesystem::path write(const std::string& name, std::u16string_view text) {
    const auto path = dir_.path() / name;
    write_bytes(path, encode_cp1251(text));
    return path;
  }
  std::vector<std::u16string> rhymes_of(std::u16string word, std::int16_t letters = 3) const {
    SearchSettings settings;
    settings.target_word = std::move(word);
    settings.rhyme_len = letters;
    std::vector<std::u16string> out;
    for (auto w : rhyme_list(store_, settings)) out.emplace_back(w);
    return out;
  }

  TempDir dir_;
  WordStore store_;
};

TEST_F(WordStoreFiles, LoadingTheSameFileTwiceDoublesTheCountButNotTheResults) {
  const auto file = write("a.txt", u"кот\r\nрот\r\nкрот\r\n");
  store_.add_file(file);
  EXPECT_EQ(store_.count(), 3);
  store_.add_file(file);
  EXPECT_EQ(store_.count(), 6);
  EXPECT_EQ(rhymes_of(u"кот", 2), (std::vector<std::u16string>{u"крот", u"рот"}));
}

TEST_F(WordStoreFiles, AnEmptyFileLeavesTheCount) {
  store_.add_file(write("a.txt", u"кот\r\n"));
  store_.add_file(write("empty.txt", u""));
  EXPECT_EQ(store_.count(), 1);
}

TEST_F(WordStoreFiles, ResetForgetsEverythingAndCountsFromTheNextFile) {
  store_.add_file(write("a.txt", u"кот\r\nрот\r\n"));
  store_.reset();
  EXPECT_EQ(store_.count(), 0);
  EXPECT_TRUE(rhymes_of(u"кот", 2).empty());
  store_.add_file(write("b.txt", u"крот\r\n"));
  EXPECT_EQ(store_.count(), 1);
  EXPECT_EQ(rhymes_of(u"кот", 2), std::vector<std::u16string>{u"крот"});
}

TEST_F(WordStoreFiles, AFileOfMoreThanAHundredThousandEntriesLoadsWhole) {
  std::u16string text;
  for (int i = 0; i < 150000; ++i) {
    text += i % 2 ? u"строка" : u"слово";
    text += u"\r\n";
  }
  text += u"последнее\r\n";
  store_.add_file(write("big.txt", text));
  EXPECT_EQ(store_.count(), 150001);
  EXPECT_EQ(rhymes_of(u"нее"), std::vector<std::u16string>{u"последнее"});
}

// A Windows-1251 dictionary whose first Russian word comes late is first
// taken for UTF-8; reading it again must not count anything twice.
TEST_F(WordStoreFiles, ALateWindows1251WordIsReadOnce) {
  std::u16string text;
  for (int i = 0; i < 60000; ++i) text += u"latin\r\n";
  text += u"Кот\r\n";
  store_.add_file(write("late.txt", text));
  EXPECT_EQ(store_.count(), 60001);
  EXPECT_EQ(rhymes_of(u"рот", 2), std::vector<std::u16string>{u"кот"});
}

TEST_F(WordStoreFiles, AnUnreadableFileLeavesTheStoreAsItWas) {
  store_.add_file(write("a.txt", u"кот\r\nрот\r\n"));
  const auto missing = dir_.path() / "removed.txt";
  try {
    store_.add_file(missing);
    FAIL() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), kFileNotFound);
    EXPECT_NE(std::string(error.what()).find(missing.string()), std::string::npos);
  }
  EXPECT_EQ(store_.count(), 2);
  EXPECT_EQ(rhymes_of(u"крот", 2), (std::vector<std::u16string>{u"кот", u"рот"}));
}

TEST_F(WordStoreFiles, Utf8DictionariesLoadLikeWindows1251Ones) {
  const auto file = dir_.path() / "utf8.txt";
  write_bytes(file, to_utf8(u"\uFEFFКот\r\nРот\r\n"));
  store_.add_file(file);
  write_bytes(dir_.path() / "plain.txt", to_utf8(u"Грот\nЖмот\n"));
  store_.add_file(dir_.path() / "plain.txt");
  EXPECT_EQ(store_.count(), 4);
  EXPECT_EQ(rhymes_of(u"от", 2),
            (std::vector<std::u16string>{u"грот", u"жмот", u"кот", u"рот"}));
}

}  // namespace
}  // namespace velmora
