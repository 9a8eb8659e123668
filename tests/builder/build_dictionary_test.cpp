#include "builder/build_dictionary.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include "builder/word_collector.h"
#include "literal_algorithms.h"
#include "runtime/field_parser.h"
#include "runtime/runtime_error.h"
#include "runtime/text_codec.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::folder_entries;
using testing::read_bytes;
using testing::TempDir;
using testing::write_bytes;
using Names = std::vector<std::string>;
using Words = std::vector<std::u16string>;

const FixedClock kClock(45296.55f, ',');

std::string dictionary_bytes(const Words& words) {
  std::string bytes;
  for (const auto& word : words) bytes += encode_cp1251(word) + "\r\n";
  return bytes;
}

struct Built {
  BuildResult result;
  std::string bytes;  // of the written file
};

Built build_text(const TempDir& dir, std::string_view source_bytes, const Clock& clock = kClock) {
  const auto source = dir.path() / "source.txt";
  write_bytes(source, source_bytes);
  std::filesystem::create_directories(dir.path() / "dict");
  Built built;
  built.result = build_dictionary(source, dir.path() / "dict", clock);
  built.bytes = read_bytes(dir.path() / "dict" / built.result.file_name);
  return built;
}

TEST(BuildDictionary, Texts) {
  const struct {
    const char* what;
    std::u16string text;
    Words expected;
  } cases[] = {
      {"pipeline", u"  Кот-Учёный,  КОТ! ", {u"учёный"}},
      {"no long word", u"Кот, дом и лес.\r\nДа!", {}},
      {"empty text", u"", {}},
      {"one word in any case", u"слово СЛОВО Слово сЛоВо\r\nслово,СЛОВО", {u"слово"}},
      {"hyphens split", u"Кто-нибудь где-нибудь когда-то", {u"нибудь", u"когда"}},
      {"latin and digits dropped", u"Hello мир123мирок 2024 годы abcd", {u"мирок", u"годы"}},
      {"ё and е differ", u"ёлка елка ЁЛКА Елка", {u"ёлка", u"елка"}},
      {"first occurrence order", u"бета альфа\r\nгамма, альфа бета", {u"бета", u"альфа", u"гамма"}},
      {"quoted field keeps commas", u"\"Стой, стой,\" сказал он", {u"стой", u"сказал"}},
      {"field end cuts a word", u"абв,гдеж\r\nабвг\nдеж", {u"гдеж", u"абвг"}},
      {"tabs and other cyrillic", u"\tзима\tїжак\u00A0весна", {u"зима", u"весна"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const bool as_utf8 : {true, false}) {
      TempDir dir;
      const Built built =
          build_text(dir, as_utf8 ? testing::utf8(c.text) : testing::cp1251(c.text));
      EXPECT_EQ(built.bytes, dictionary_bytes(c.expected)) << (as_utf8 ? "UTF-8" : "cp1251");
      EXPECT_EQ(built.result.word_count, static_cast<std::int64_t>(c.expected.size()));
      EXPECT_EQ(built.result.file_name, "dict_45296,55.txt");
      EXPECT_EQ(folder_entries(dir.path() / "dict"), Names{"dict_45296,55.txt"});
    }
  }
}

// Read in one pass as UTF-8 first, a Windows-1251 text whose first Russian
// letter comes late starts again: its words count once.
TEST(BuildDictionary, LateWindows1251TextCountsItsWordsOnce) {
  TempDir dir;
  std::string text;
  while (text.size() < 700000) text += "latin words only, \r\n";
  text += testing::cp1251(u"Слово и ещё слово, СЛОВО дело");
  const Built built = build_text(dir, text);
  EXPECT_EQ(built.bytes, dictionary_bytes({u"слово", u"дело"}));
  EXPECT_EQ(built.result.word_count, 2);
}

TEST(BuildDictionary, ReportLine) {
  EXPECT_EQ(build_report({1523, "dict_45296,55.txt"}), "1523 слов сохранено в dict_45296,55.txt");
  EXPECT_EQ(build_report({0, "dict_0.txt"}), "0 слов сохранено в dict_0.txt");
}

TEST(BuildDictionary, NoLongWordWritesAnEmptyFileAndReportsZero) {
  TempDir dir;
  const Built built = build_text(dir, testing::utf8(u"Да, нет. Кот и пёс!"));
  EXPECT_EQ(built.bytes, "");
  EXPECT_EQ(build_report(built.result), "0 слов сохранено в dict_45296,55.txt");
}

TEST(BuildDictionary, FileNameFollowsTheClock) {
  const struct {
    float seconds;
    char separator;
    const char* name;
  } cases[] = {{45296.55f, ',', "dict_45296,55.txt"},
               {45296.55f, '.', "dict_45296.55.txt"},
               {0.0f, ',', "dict_0.txt"},
               {0.5f, ',', "dict_0,5.txt"}};
  for (const auto& c : cases) {
    TempDir dir;
    const FixedClock clock(c.seconds, c.separator);
    EXPECT_EQ(build_text(dir, "слово", clock).result.file_name, c.name);
    EXPECT_EQ(folder_entries(dir.path() / "dict"), Names{c.name});
  }
}

TEST(BuildDictionary, SameTimerTextReplacesTheEarlierFile) {
  TempDir dir;
  build_text(dir, testing::utf8(u"первый словарь"));
  const Built second = build_text(dir, testing::utf8(u"второй"));
  EXPECT_EQ(second.bytes, dictionary_bytes({u"второй"}));
  EXPECT_EQ(folder_entries(dir.path() / "dict"), Names{"dict_45296,55.txt"});
}

TEST(BuildDictionary, BuiltFileLoadsBackAsItsWords) {
  TempDir dir;
  const std::u16string text = u"Мороз и солнце; день чудесный!\r\nЕщё ты дремлешь, друг прелестный";
  const Built built = build_text(dir, testing::utf8(text));
  const Words expected = {u"мороз",    u"солнце", u"день",      u"чудесный",
                          u"дремлешь", u"друг",   u"прелестный"};
  // One field per line, in the order written; the file is Windows-1251.
  const auto path = dir.path() / "dict" / built.result.file_name;
  EXPECT_EQ(testing::read_fields(path), expected);
  EXPECT_EQ(detect_file_encoding(path), TextEncoding::windows1251);
}

TEST(BuildDictionary, SixHundredThousandWordTextBuilds) {
  TempDir dir;
  const int kWords = 600'000;
  std::u16string text;
  Words expected;
  for (int i = 0; i < kWords; ++i) {
    std::u16string word;
    for (int k = 0, v = i; k < 6; ++k, v /= 32)
      word.push_back(static_cast<char16_t>(u'а' + v % 32));
    expected.push_back(word);
    if (i % 3 == 0) word[0] = static_cast<char16_t>(word[0] - 0x20);  // capitalised
    text += word;
    text += i % 10 == 9 ? u"\r\n" : u", ";
  }
  text += text;  // every word twice
  const Built built = build_text(dir, testing::utf8(text));
  EXPECT_EQ(built.result.word_count, kWords);
  EXPECT_TRUE(built.bytes == dictionary_bytes(expected));
}

TEST(BuildDictionary, ProgressRunsUpToTheFileSize) {
  TempDir dir;
  std::string text;
  while (text.size() < 3'000'000) text += testing::utf8(u"строка текста, ещё строка\r\n");
  write_bytes(dir.path() / "source.txt", text);
  std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
  build_dictionary(
      dir.path() / "source.txt", dir.path(), kClock,
      [&](std::uint64_t read, std::uint64_t total) { calls.emplace_back(read, total); });
  ASSERT_GE(calls.size(), 2u);
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].second, text.size());
    if (i > 0) {
      EXPECT_GT(calls[i].first, calls[i - 1].first);
    }
  }
  EXPECT_EQ(calls.back().first, text.size());
}

// A field far longer than any chunk, with a word across every chunk border.
TEST(BuildDictionary, HugeFieldWithoutDelimiters) {
  TempDir dir;
  std::u16string text;
  while (text.size() < 2'000'000) text += u"длинное поле без запятых ";
  const Built built = build_text(dir, testing::utf8(text));
  EXPECT_EQ(built.bytes, dictionary_bytes({u"длинное", u"поле", u"запятых"}));
  // One unbroken run of letters is one word, however long.
  TempDir dir2;
  const std::u16string run(1'000'000, u'Я');
  const Built long_word = build_text(dir2, testing::cp1251(run));
  EXPECT_EQ(long_word.bytes, dictionary_bytes({std::u16string(1'000'000, u'я')}));
}

using testing::expect_runtime_error;

TEST(BuildDictionary, UnusableFolderFailsBeforeReadingAndWritesNothing) {
  TempDir dir;
  write_bytes(dir.path() / "source.txt", testing::utf8(u"слово"));
  write_bytes(dir.path() / "plain", "x");
  const struct {
    std::filesystem::path folder;
    int number;
  } cases[] = {{dir.path() / "missing", kFileNotFound}, {dir.path() / "plain", kFileNotFound}};
  for (const auto& c : cases) {
    bool read_anything = false;
    const RuntimeError error = expect_runtime_error([&] {
      build_dictionary(dir.path() / "source.txt", c.folder, kClock,
                       [&](std::uint64_t, std::uint64_t) { read_anything = true; });
    });
    EXPECT_EQ(error.number(), c.number) << error.what();
    EXPECT_NE(std::string(error.what()).find(c.folder.string()), std::string::npos);
    EXPECT_FALSE(read_anything);
  }
  EXPECT_EQ(folder_entries(dir.path()), (Names{"plain", "source.txt"}));
}

TEST(BuildDictionary, ReadOnlyFolderFailsAndWritesNothing) {
  const auto mount = testing::SmallMount::make("size=64k,mode=0777");
  if (!mount) GTEST_SKIP() << "cannot mount a small tmpfs here";
  TempDir dir;
  write_bytes(dir.path() / "source.txt", testing::utf8(u"слово"));
  ASSERT_EQ(::mount(nullptr, mount->path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  const RuntimeError error = expect_runtime_error(
      [&] { build_dictionary(dir.path() / "source.txt", mount->path(), kClock); });
  EXPECT_EQ(error.number(), kPermissionDenied) << error.what();
  EXPECT_TRUE(folder_entries(mount->path()).empty());
}

TEST(BuildDictionary, FullDiskFailsAndWritesNothing) {
  const auto mount = testing::SmallMount::make("size=64k");
  if (!mount) GTEST_SKIP() << "cannot mount a small tmpfs here";
  TempDir dir;
  std::u16string text;
  for (int i = 0; i < 50'000; ++i) {
    for (int k = 0, v = i; k < 5; ++k, v /= 32)
      text.push_back(static_cast<char16_t>(u'а' + v % 32));
    text += u' ';
  }
  write_bytes(dir.path() / "source.txt", testing::utf8(text));
  const RuntimeError error = expect_runtime_error(
      [&] { build_dictionary(dir.path() / "source.txt", mount->path(), kClock); });
  EXPECT_EQ(error.number(), kDiskFull) << error.what();
  EXPECT_NE(std::string(error.what()).find("dict_45296,55.txt"), std::string::npos);
  EXPECT_TRUE(folder_entries(mount->path()).empty());
}

TEST(BuildDictionary, UnreadableSourceFailsAndWritesNothing) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "dict");
  std::filesystem::create_directory(dir.path() / "a_folder");
  for (const auto& source : {dir.path() / "missing.txt", dir.path() / "a_folder"}) {
    const RuntimeError error =
        expect_runtime_error([&] { build_dictionary(source, dir.path() / "dict", kClock); });
    EXPECT_NE(std::string(error.what()).find("«" + source.string() + "»"), std::string::npos)
        << error.what();
  }
  EXPECT_TRUE(folder_entries(dir.path() / "dict").empty());
}

TEST(WordCollector, CountsWordsAndDistinctWords) {
  WordCollector collector;
  FieldParser parser;
  parser.feed(u"Слово, слово, другое, дом\r\nСЛОВО", collector);
  parser.finish(collector);
  EXPECT_EQ(collector.text_count(), 4);
  EXPECT_EQ(collector.word_count(), 2);
  EXPECT_EQ(collector.words(), (Words{u"слово", u"другое"}));
}

TEST(WordCollector, WordAcrossOneLetterPieces) {
  const std::u16string text = u"раз,ДВАДЦАТЬ двадцать\nтри четыре";
  WordCollector collector;
  FieldParser parser;
  for (const char16_t unit : text) parser.feed(std::u16string_view(&unit, 1), collector);
  parser.finish(collector);
  EXPECT_EQ(collector.words(), (Words{u"двадцать", u"четыре"}));
  EXPECT_EQ(collector.dictionary_bytes(), literal::build_dictionary_bytes(text));
}

// Words that share their first eight letters, or are prefixes of each other,
// stay apart; repeats of each are found again.
TEST(WordCollector, WordsSharingTheirFirstLetters) {
  const Words words = {u"абвг",
                       u"абвгд",
                       u"абвгдеж",
                       u"абвгдежз",
                       u"абвгдежзи",
                       u"абвгдежзий",
                       u"абвгдежзик",
                       u"абвгдежзийклмнопрст",
                       u"абвгдежзийклмнопрсу",
                       u"ёёёёёёёё",
                       u"ёёёёёёёёё"};
  WordCollector collector;
  for (int round = 0; round < 3; ++round) {
    for (const auto& word : words) {
      collector.text(word);
      collector.end_field();
    }
  }
  EXPECT_EQ(collector.words(), words);
  EXPECT_EQ(collector.text_count(), 3 * static_cast<std::int64_t>(words.size()));

  // Longer words first: a shorter word must not be taken for them.
  const Words reversed(words.rbegin(), words.rend());
  WordCollector backwards;
  for (const auto& word : reversed) {
    backwards.text(word);
    backwards.end_field();
  }
  EXPECT_EQ(backwards.words(), reversed);
}

TEST(WordCollector, ManyDistinctWordsSurviveTableGrowth) {
  WordCollector collector;
  Words expected;
  for (int i = 0; i < 100'000; ++i) {
    std::u16string word;
    for (int k = 0, v = i; k < 4; ++k, v /= 33) {
      word.push_back(v % 33 == 32 ? u'ё' : static_cast<char16_t>(u'а' + v % 33));
    }
    expected.push_back(word);
    collector.text(word);
    collector.end_field();
    collector.text(expected[static_cast<std::size_t>(i / 2)]);  // a repeat
    collector.end_field();
  }
  EXPECT_EQ(collector.word_count(), 100'000);
  EXPECT_EQ(collector.text_count(), 200'000);
  EXPECT_EQ(collector.words(), expected);
}

}  // namespace
}  // namespace velmora
