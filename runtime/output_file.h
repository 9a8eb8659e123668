#pragma once

#include <filesystem>
#include <string_view>

#include "runtime/runtime_error.h"

namespace velmora {

// A file that appears whole or not at all. The bytes go to a hidden
// temporary file in the final file's folder (".<name>.tmp-<pid>-<n>", which
// the dictionary list never shows); commit() flushes it to the disk and
// renames it over the final name, so that a file of that name already there
// is replaced only by a complete one. Every failure — the temporary file
// cannot be created, a write fails, the disk is full, the rename fails —
// removes the temporary file and throws RuntimeError (see file_error) naming
// the final file and the reason. An OutputFile destroyed without a
// successful commit() removes its temporary file too.
class OutputFile {
 public:
  // Creates the temporary file. The final file is not touched yet.
  explicit OutputFile(std::filesystem::path final_path);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  // Appends bytes to the temporary file. Must not be called after commit()
  // or after a failure.
  void write(std::string_view bytes);

  // Makes the written bytes durable and puts them under the final name.
  void commit();

  const std::filesystem::path& final_path() const { return final_path_; }
  const std::filesystem::path& temp_path() const { return temp_path_; }

 private:
  // Closes and removes the temporary file.
  void discard() noexcept;
  // discard(), then throws the error for the final file.
  [[noreturn]] void fail(FileAction action, int errno_value);

  std::filesystem::path final_path_;
  std::filesystem::path temp_path_;
  int fd_ = -1;
  bool done_ = false;  // committed or discarded
};

// Writes contents as the whole of the file at path, by way of OutputFile.
void write_file_safely(const std::filesystem::path& path, std::string_view contents);

}  // namespace velmora
