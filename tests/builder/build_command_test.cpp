#include "cli/build_command.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <sstream>

#include "runtime/text_codec.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::folder_entries;
using testing::read_bytes;
using testing::TempDir;
using testing::write_bytes;
using Args = std::vector<std::string>;

struct CommandRun {
  int status = -1;
  std::string out;
  std::string err;
};

CommandRun run_command(const Args& args, const std::filesystem::path& default_folder = {},
                       bool terminal = false) {
  std::ostringstream out;
  std::ostringstream err;
  CommandRun result;
  result.status = run_build_command(args, default_folder, out, err, terminal);
  result.out = out.str();
  result.err = err.str();
  return result;
}

// The report line, taken apart: the word count and the file name, when the
// line reads "<count> слов сохранено в dict_<timer text>.txt\n" with a timer
// text of digits and at most one ',' or '.'.
struct Report {
  std::string count;
  std::string file_name;
};

std::optional<Report> parse_report(const std::string& line) {
  const std::string middle = " слов сохранено в ";
  const std::size_t at = line.find(middle);
  if (at == std::string::npos || at == 0 || line.back() != '\n') return std::nullopt;
  Report report{line.substr(0, at), line.substr(at + middle.size())};
  report.file_name.pop_back();
  if (report.count.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const std::string& name = report.file_name;
  if (!name.starts_with("dict_") || !name.ends_with(".txt") || name.size() <= 9)
    return std::nullopt;
  const std::string timer = name.substr(5, name.size() - 9);
  if (timer.find_first_not_of("0123456789,.") != std::string::npos) return std::nullopt;
  if (timer.find_first_of(",.") != timer.find_last_of(",.")) return std::nullopt;
  if (!std::isdigit(static_cast<unsigned char>(timer.front())) ||
      !std::isdigit(static_cast<unsigned char>(timer.back()))) {
    return std::nullopt;
  }
  return report;
}

class BuildCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(dict());
    write_bytes(source(), to_utf8(u"Кот-Учёный, КОТ!\r\nСлово слово СЛОВО"));
  }
  std::filesystem::path dict() const { return dir_.path() / "dict"; }
  std::filesystem::path source() const { return dir_.path() / "text.txt"; }

  TempDir dir_;
};

TEST_F(BuildCommand, WritesIntoTheGivenFolderAndReports) {
  for (const Args& args : {Args{source().string(), "--dict", dict().string()},
                           Args{"--dict", dict().string(), source().string()},
                           Args{"--dict=" + dict().string(), "--", source().string()}}) {
    std::filesystem::remove_all(dict());
    std::filesystem::create_directory(dict());
    const CommandRun r = run_command(args, dir_.path() / "elsewhere");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::optional<Report> report = parse_report(r.out);
    ASSERT_TRUE(report.has_value()) << r.out;
    EXPECT_EQ(report->count, "2");
    EXPECT_EQ(folder_entries(dict()), std::vector<std::string>{report->file_name});
    EXPECT_EQ(read_bytes(dict() / report->file_name), encode_cp1251(u"учёный\r\nслово\r\n"));
  }
}

TEST_F(BuildCommand, UsesTheDefaultFolderWithoutDict) {
  const CommandRun r = run_command({source().string()}, dict());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(parse_report(r.out).has_value()) << r.out;
  EXPECT_EQ(folder_entries(dict()).size(), 1u);
}

TEST_F(BuildCommand, WrongArgumentsExitTwoAndTouchNothing) {
  const Args cases[] = {
      {},
      {"--dict", dict().string()},
      {source().string(), "--dict"},
      {source().string(), source().string()},
      {source().string(), "--verbose"},
      {source().string(), "--dict", dict().string(), "--dict", dict().string()},
      {source().string(), "--dict="},
      {""},
  };
  for (const Args& args : cases) {
    const CommandRun r = run_command(args, dict());
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Использование: velmora-cli build"), std::string::npos) << r.err;
  }
  EXPECT_TRUE(folder_entries(dict()).empty());
}

TEST_F(BuildCommand, FailuresExitOneWithTheReasonAndWriteNothing) {
  write_bytes(dir_.path() / "plain", "x");
  const struct {
    Args args;
    std::filesystem::path default_folder;
    std::string message;
  } cases[] = {
      {{(dir_.path() / "missing.txt").string()}, dict(), "файл не найден"},
      {{dir_.path().string()}, dict(), "это папка"},
      {{source().string(), "--dict", (dir_.path() / "nope").string()}, dict(), "nope"},
      {{source().string(), "--dict", (dir_.path() / "plain").string()}, dict(), "plain"},
      {{source().string()}, {}, "папка словарей не найдена"},
  };
  for (const auto& c : cases) {
    const CommandRun r = run_command(c.args, c.default_folder);
    EXPECT_EQ(r.status, 1) << ::testing::PrintToString(c.args);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("velmora-cli: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  EXPECT_TRUE(folder_entries(dict()).empty());
  EXPECT_EQ(read_bytes(dir_.path() / "plain"), "x");
}

TEST_F(BuildCommand, ProgressOnlyForLargeTextsOnATerminal) {
  std::string big;
  const std::string line = to_utf8(u"строка текста, ещё одна строка\r\n");
  while (big.size() <= kBuildProgressThresholdBytes) big += line;
  write_bytes(dir_.path() / "big.txt", big);
  const std::string total = std::to_string(big.size());

  const CommandRun shown =
      run_command({(dir_.path() / "big.txt").string(), "--dict", dict().string()}, {}, true);
  EXPECT_EQ(shown.status, 0);
  EXPECT_NE(shown.err.find("\rПрочитано "), std::string::npos);
  EXPECT_NE(shown.err.find(" из " + total + " байт (100%)\n"), std::string::npos) << shown.err;
  EXPECT_TRUE(parse_report(shown.out).has_value()) << shown.out;

  const CommandRun piped =
      run_command({(dir_.path() / "big.txt").string(), "--dict", dict().string()}, {}, false);
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.err, "");

  const CommandRun small = run_command({source().string(), "--dict", dict().string()}, {}, true);
  EXPECT_EQ(small.status, 0);
  EXPECT_EQ(small.err, "");
}

}  // namespace
}  // namespace velmora
