#include <gtest/gtest.h>

#include <string>

#include "runtime/directory.h"
#include "runtime/runtime_error.h"
#include "runtime/text_file.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::TempDir;
using testing::write_bytes;

std::u16string read_whole(const std::filesystem::path& path) {
  std::u16string text;
  read_text_file(path, [&](std::u16string_view chunk) { text.append(chunk); });
  return text;
}

TEST(ReadTextFile, DecodesByTheFilesEncoding) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"cp1251", "\xCA\xEE\xF2\r\n\xB8\xEB\xEA\xE0", u"Кот\r\nёлка"},
      {"utf8", "\xD0\x9A\xD0\xBE\xD1\x82\r\n", u"Кот\r\n"},
      {"utf8_bom", "\xEF\xBB\xBF\xD0\x9A\xD0\xBE\xD1\x82", u"Кот"},
      {"ascii", "cat", u"cat"},
      {"empty", "", u""},
  };
  for (const Case& c : cases) {
    write_bytes(dir.path() / c.name, c.bytes);
    EXPECT_EQ(read_whole(dir.path() / c.name), c.text) << c.name;
  }
}

TEST(ReadTextFile, LowersTheTextOnRequestInEitherEncoding) {
  TempDir dir;
  write_bytes(dir.path() / "cp1251", "\xCA\xEE\xF2 \xA8\xEB\xEA\xE0 ABC \x80");
  write_bytes(dir.path() / "utf8", "\xD0\x9A\xD0\xBE\xD1\x82 \xF0\x90\x90\x80 \xCE\xA3");
  const auto read_lowered = [](const std::filesystem::path& path) {
    std::u16string text;
    read_text_file(
        path, [&](std::u16string_view chunk) { text.append(chunk); }, {}, LetterCase::lower);
    return text;
  };
  EXPECT_EQ(read_lowered(dir.path() / "cp1251"), u"кот ёлка abc ђ");
  EXPECT_EQ(read_lowered(dir.path() / "utf8"), u"кот \U00010428 σ");
}

TEST(ReadTextFile, Utf8SplitAcrossReadChunksStaysWhole) {
  // Odd padding puts two-byte letters across every internal read boundary;
  // the last letter comes after a megabyte of ASCII, so detection reads on.
  std::string bytes(1 << 20 | 1, 'a');
  std::u16string expected(bytes.size(), u'a');
  for (int i = 0; i < 1000; ++i) {
    bytes += "\xD1\x91";
    expected += u'ё';
  }
  TempDir dir;
  write_bytes(dir.path() / "big.txt", bytes);
  EXPECT_EQ(detect_file_encoding(dir.path() / "big.txt"), TextEncoding::utf8);
  EXPECT_EQ(read_whole(dir.path() / "big.txt"), expected);
}

// Read in one pass by a consumer that can start again: the text it ends up
// with is always the one the two-pass reading gives.
TEST(ReadTextFile, OnePassReadingStartsAgainWhenTheFileIsNotUtf8) {
  const std::string ascii_chunk(300000, 'a');  // longer than one read
  struct Case {
    const char* name;
    std::string bytes;
    int restarts;
  };
  const Case cases[] = {
      {"utf8", ascii_chunk + "\xD0\xBA\xD1\x91", 0},
      {"cp1251_from_the_start", "\xEA\xEE\xF2 " + ascii_chunk, 0},
      {"cp1251_after_a_long_ascii_start", ascii_chunk + "\xEA\xEE\xF2", 1},
      {"utf8_cut_short_at_the_end", ascii_chunk + "\xD0\xBA\xD0", 1},
      {"literal_replacement_character_is_utf8", ascii_chunk + "\xEF\xBF\xBD", 0},
      {"bom_keeps_utf8_whatever_follows", "\xEF\xBB\xBF" + ascii_chunk + "\xFF", 0},
      {"ascii_only", ascii_chunk, 0},
  };
  TempDir dir;
  for (const Case& c : cases) {
    const auto path = dir.path() / c.name;
    write_bytes(path, c.bytes);
    std::u16string text;
    int restarts = 0;
    read_text_file(
        path, [&](std::u16string_view chunk) { text.append(chunk); }, {}, LetterCase::as_is,
        [&] {
          ++restarts;
          text.clear();
        });
    EXPECT_EQ(restarts, c.restarts) << c.name;
    EXPECT_EQ(text, read_whole(path)) << c.name;
    EXPECT_EQ(text, decode_text(c.bytes)) << c.name;
  }
}

TEST(ReadTextFile, ReportsProgressUpToTheFileSize) {
  TempDir dir;
  write_bytes(dir.path() / "a.txt", std::string(600000, 'x'));
  std::uint64_t last = 0, total = 0;
  int calls = 0;
  read_text_file(
      dir.path() / "a.txt", [](std::u16string_view) {},
      [&](std::uint64_t read, std::uint64_t size) {
        EXPECT_GE(read, last);
        last = read;
        total = size;
        ++calls;
      });
  EXPECT_EQ(last, 600000u);
  EXPECT_EQ(total, 600000u);
  EXPECT_GE(calls, 2);
}

TEST(ReadTextFile, FailuresNameTheFileAndTheReason) {
  TempDir dir;
  const auto missing = dir.path() / "нет.txt";
  try {
    read_whole(missing);
    FAIL() << "no error for a missing file";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), kFileNotFound);
    EXPECT_EQ(std::string(error.what()),
              "Не удалось открыть файл «" + missing.string() + "»: файл не найден");
    EXPECT_EQ(describe(error), "Ошибка 53: " + std::string(error.what()));
  }
  try {
    read_whole(dir.path());
    FAIL() << "no error for a folder";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), kPathFileAccessError);
    EXPECT_NE(std::string(error.what()).find(dir.path().string()), std::string::npos);
  }
}

TEST(FileErrors, NumbersFollowTheSystemsReason) {
  struct Case {
    int errno_value;
    int number;
  };
  const Case cases[] = {{ENOENT, 53}, {ENOTDIR, 53}, {EACCES, 70}, {EPERM, 70}, {EROFS, 70},
                        {ENOSPC, 61}, {EDQUOT, 61},  {EIO, 57},    {ENOMEM, 7}, {EISDIR, 75},
                        {EINVAL, 75}};
  for (const Case& c : cases) {
    EXPECT_EQ(file_error("/x/y.txt", FileAction::write, c.errno_value).number(), c.number)
        << "errno " << c.errno_value;
  }
}

TEST(Directory, ListsOrdinaryFilesByName) {
  TempDir dir;
  for (const char* name : {"б.txt", "a.txt", ".hidden", "Z", "словарь"}) {
    write_bytes(dir.path() / name, "x");
  }
  std::filesystem::create_directory(dir.path() / "sub");
  std::filesystem::create_symlink(dir.path() / "a.txt", dir.path() / "link");
  std::filesystem::create_symlink(dir.path() / "sub", dir.path() / "link-to-sub");
  const std::vector<std::string> expected = {"Z", "a.txt", "link", "б.txt", "словарь"};
  EXPECT_EQ(list_ordinary_files(dir.path()), expected);
  EXPECT_TRUE(list_ordinary_files(dir.path() / "missing").empty());
}

TEST(Directory, ProbeFindsTheFirstOrdinaryFile) {
  TempDir dir;
  const std::string folder = dir.path().string() + "/";
  EXPECT_EQ(probe_first_file(folder), "");  // empty folder
  std::filesystem::create_directory(dir.path() / "sub");
  write_bytes(dir.path() / ".hidden", "x");
  EXPECT_EQ(probe_first_file(folder), "");  // only a folder and a hidden file
  write_bytes(dir.path() / "b", "x");
  write_bytes(dir.path() / "a", "");
  EXPECT_EQ(probe_first_file(folder), "a");
  EXPECT_EQ(probe_first_file(folder + "b"), "b");
  EXPECT_EQ(probe_first_file(folder + "sub"), "");
  EXPECT_EQ(probe_first_file(folder + "missing"), "");
  EXPECT_EQ(probe_first_file(folder + "missing/"), "");
  EXPECT_EQ(probe_first_file(""), "");
}

}  // namespace
}  // namespace velmora
