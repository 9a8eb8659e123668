#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "runtime/text_codec.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::TempDir;
using testing::write_bytes;

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

class VelmoraCli : public ::testing::Test {
 protected:
  // An executable folder with dict/ beside it.
  VelmoraCli() { std::filesystem::create_directory(dict()); }

  std::filesystem::path dict() const { return exe_.path() / "dict"; }

  void write_dictionary(const std::filesystem::path& path, std::u16string_view text) {
    write_bytes(path, encode_cp1251(text));
  }

  Outcome run_cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = run(args, out, err, CliEnvironment{exe_.path(), false});
    return {code, out.str(), err.str()};
  }

  TempDir exe_;
  TempDir other_;
};

TEST_F(VelmoraCli, PrintsTheRhymesFromTheFolderBesideTheProgram) {
  write_dictionary(dict() / "b.txt", u"Слово\r\nкрово\r\nснова\r\nсудно\r\n");
  write_dictionary(dict() / "a.txt", u"ново\r\nкрово\r\nово\r\n");
  const Outcome r = run_cli({"rhymes", "  СЛОВО "});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "крово\nново\nово\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(VelmoraCli, LettersChooseTheEnding) {
  write_dictionary(dict() / "a.txt", u"слово\r\nкрово\r\nснова\r\nулово\r\nбово\r\nдрево\r\n");
  EXPECT_EQ(run_cli({"rhymes", "слово", "--letters", "4"}).out, "улово\n");
  EXPECT_EQ(run_cli({"rhymes", "слово", "--letters", "3"}).out, "бово\nкрово\nулово\n");
  EXPECT_EQ(run_cli({"rhymes", "слово", "--letters", "2"}).out, "бово\nдрево\nкрово\nулово\n");
  EXPECT_EQ(run_cli({"rhymes", "слово"}).out, "бово\nкрово\nулово\n");
}

TEST_F(VelmoraCli, DictOptionsLoadFilesAndFoldersInOrder) {
  write_dictionary(other_.path() / "one.txt", u"кот\r\n");
  std::filesystem::create_directory(other_.path() / "more");
  write_dictionary(other_.path() / "more" / "x.txt", u"рот\r\n");
  write_dictionary(other_.path() / "more" / ".hidden", u"грот\r\n");
  write_dictionary(dict() / "a.txt", u"жмот\r\n");  // not used with --dict
  const Outcome r = run_cli({"rhymes", "от", "--letters", "2", "--dict",
                             (other_.path() / "one.txt").string(), "--dict",
                             (other_.path() / "more").string()});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "кот\nрот\n");
}

TEST_F(VelmoraCli, NoRhymeIsNoError) {
  write_dictionary(dict() / "a.txt", u"кот\r\n");
  const Outcome r = run_cli({"rhymes", "слово"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "");
}

TEST_F(VelmoraCli, MissingOrEmptyDictionaryFolderPrintsTheStartUpMessage) {
  std::filesystem::create_directory(dict() / "sub");
  const std::string message = "Папка " + dict().string() +
                              "/ со словарями не найдена или пуста. Создайте папку и поместите "
                              "туда словарь.\n";
  Outcome r = run_cli({"rhymes", "слово"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, message);
  std::filesystem::remove_all(dict());
  r = run_cli({"rhymes", "слово"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, message);
}

TEST_F(VelmoraCli, AnEmptyStoreAsksForADictionary) {
  write_dictionary(dict() / "empty.txt", u"");
  const Outcome r = run_cli({"rhymes", "слово"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "Сначала загрузите словарь\n");
  EXPECT_EQ(r.out, "");
}

TEST_F(VelmoraCli, AnUnreadableFileIsNamed) {
  const auto missing = other_.path() / "нет.txt";
  const Outcome r = run_cli({"rhymes", "слово", "--dict", missing.string()});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "velmora-cli: Ошибка 53: Не удалось открыть файл «" + missing.string() +
                       "»: файл не найден\n");
  EXPECT_EQ(r.out, "");
}

TEST_F(VelmoraCli, BadArgumentsPrintUsage) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"rhyme", "слово"},
      {"rhymes"},
      {"rhymes", "a", "b"},
      {"rhymes", "слово", "--letters"},
      {"rhymes", "слово", "--letters", "5"},
      {"rhymes", "слово", "--letters", "1"},
      {"rhymes", "слово", "--letters", "3x"},
      {"rhymes", "слово", "--dict"},
      {"rhymes", "слово", "--verbose"},
  };
  for (const auto& args : bad) {
    const Outcome r = run_cli(args);
    EXPECT_EQ(r.code, 2) << ::testing::PrintToString(args);
    EXPECT_NE(r.err.find("Использование: velmora-cli rhymes СЛОВО"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(VelmoraCli, HelpPrintsUsageToStdout) {
  const Outcome r = run_cli({"--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("Использование: velmora-cli rhymes СЛОВО"), std::string::npos);
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace velmora
