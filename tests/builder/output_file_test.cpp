#include "runtime/output_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <optional>

#include "runtime/runtime_error.h"
#include "test_support.h"

namespace velmora {
namespace {

using testing::folder_entries;
using testing::read_bytes;
using testing::TempDir;
using testing::write_bytes;
using Names = std::vector<std::string>;

using testing::expect_runtime_error;

TEST(OutputFile, WritesTheWholeFileAndLeavesNoTemporary) {
  TempDir dir;
  const auto path = dir.path() / "dict_1.txt";
  {
    OutputFile file(path);
    EXPECT_EQ(file.temp_path().parent_path(), dir.path());
    EXPECT_EQ(file.temp_path().filename().string().front(), '.');
    EXPECT_FALSE(std::filesystem::exists(path));  // nothing under the final name yet
    file.write("один\r\n");
    file.write("");
    file.write("два\r\n");
    file.commit();
  }
  EXPECT_EQ(read_bytes(path), "один\r\nдва\r\n");
  EXPECT_EQ(folder_entries(dir.path()), Names{"dict_1.txt"});
}

TEST(OutputFile, ReplacesAnExistingFileOnlyWhenComplete) {
  TempDir dir;
  const auto path = dir.path() / "dict_1.txt";
  write_bytes(path, "old\r\n");
  {
    OutputFile file(path);
    file.write("new\r\n");
    EXPECT_EQ(read_bytes(path), "old\r\n");
    file.commit();
  }
  EXPECT_EQ(read_bytes(path), "new\r\n");
  EXPECT_EQ(folder_entries(dir.path()), Names{"dict_1.txt"});
}

TEST(OutputFile, AbandonedFileLeavesNothing) {
  TempDir dir;
  write_bytes(dir.path() / "dict_1.txt", "old\r\n");
  {
    OutputFile file(dir.path() / "dict_1.txt");
    file.write("half a dictio");
  }
  EXPECT_EQ(read_bytes(dir.path() / "dict_1.txt"), "old\r\n");
  EXPECT_EQ(folder_entries(dir.path()), Names{"dict_1.txt"});
}

TEST(OutputFile, EmptyContentsMakeAnEmptyFile) {
  TempDir dir;
  write_file_safely(dir.path() / "empty.txt", "");
  EXPECT_EQ(read_bytes(dir.path() / "empty.txt"), "");
}

TEST(OutputFile, CreationFailuresNameTheFinalFile) {
  TempDir dir;
  write_bytes(dir.path() / "plain", "x");
  const struct {
    std::filesystem::path path;
    int number;
  } cases[] = {
      {dir.path() / "missing" / "dict_1.txt", kFileNotFound},
      {dir.path() / "plain" / "dict_1.txt", kFileNotFound},  // a file where a folder should be
  };
  for (const auto& c : cases) {
    const RuntimeError error = expect_runtime_error([&] { OutputFile file(c.path); });
    EXPECT_EQ(error.number(), c.number) << c.path;
    EXPECT_NE(std::string(error.what()).find("«" + c.path.string() + "»"), std::string::npos)
        << error.what();
    EXPECT_NE(std::string(error.what()).find("Не удалось создать файл"), std::string::npos);
  }
  EXPECT_EQ(folder_entries(dir.path()), Names{"plain"});
}

TEST(OutputFile, RenameOntoAFolderFailsAndCleansUp) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "taken");
  write_bytes(dir.path() / "taken" / "inside", "keep");
  const RuntimeError error =
      expect_runtime_error([&] { write_file_safely(dir.path() / "taken", "слово\r\n"); });
  EXPECT_NE(std::string(error.what()).find("Не удалось сохранить файл"), std::string::npos)
      << error.what();
  EXPECT_EQ(folder_entries(dir.path()), Names{"taken"});
  EXPECT_EQ(read_bytes(dir.path() / "taken" / "inside"), "keep");
}

// A write the kernel refuses halfway: the file size limit makes write()
// fail with EFBIG, as a real device error would.
TEST(OutputFile, WriteFailureRemovesTheTemporaryAndKeepsTheOldFile) {
  TempDir dir;
  const auto path = dir.path() / "dict_1.txt";
  write_bytes(path, "old\r\n");
  const std::string big(1 << 20, 'x');

  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::optional<RuntimeError> error;
  try {
    write_file_safely(path, big);
  } catch (const RuntimeError& e) {
    error = e;
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, old_handler);

  ASSERT_TRUE(error.has_value());
  EXPECT_NE(std::string(error->what()).find("Не удалось записать файл «" + path.string() + "»"),
            std::string::npos)
      << error->what();
  EXPECT_EQ(read_bytes(path), "old\r\n");
  EXPECT_EQ(folder_entries(dir.path()), Names{"dict_1.txt"});
}

TEST(OutputFile, FullDiskIsReportedAndLeavesNothing) {
  const auto mount = testing::SmallMount::make("size=64k");
  if (!mount) GTEST_SKIP() << "cannot mount a small tmpfs here";
  const auto path = mount->path() / "dict_1.txt";
  const RuntimeError error =
      expect_runtime_error([&] { write_file_safely(path, std::string(1 << 20, 'x')); });
  EXPECT_EQ(error.number(), kDiskFull) << error.what();
  EXPECT_NE(std::string(error.what()).find("«" + path.string() + "»"), std::string::npos);
  EXPECT_TRUE(folder_entries(mount->path()).empty());
}

TEST(OutputFile, ReadOnlyFileSystemIsRefused) {
  const auto mount = testing::SmallMount::make("size=64k");
  if (!mount) GTEST_SKIP() << "cannot mount a small tmpfs here";
  ASSERT_EQ(::mount(nullptr, mount->path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  const RuntimeError error =
      expect_runtime_error([&] { write_file_safely(mount->path() / "dict_1.txt", "слово\r\n"); });
  EXPECT_EQ(error.number(), kPermissionDenied) << error.what();
  EXPECT_TRUE(folder_entries(mount->path()).empty());
}

}  // namespace
}  // namespace velmora
