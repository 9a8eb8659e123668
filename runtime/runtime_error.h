#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace velmora {

// Error numbers, kept as the classic BASIC runtime numbered them so that a
// user who reports "ошибка 53" means what the number always meant.
enum ErrorNumber : int {
  kOutOfMemory = 7,
  kFileNotFound = 53,
  kDeviceIoError = 57,
  kDiskFull = 61,
  kPermissionDenied = 70,
  kPathFileAccessError = 75,
};

// The one error type of the core: a number and a Russian message (UTF-8) that
// names what failed, e.g. "Не удалось открыть файл «/x/a.txt»: файл не найден".
// Every command handler catches it in exactly one place.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& message)
      : std::runtime_error(message), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

// What the program was doing to a file when the system refused.
enum class FileAction { open_for_reading, read, create, write, rename };

// Builds the error for a failed file operation from the errno value the
// system gave: the number follows the errno, the message names the file, the
// action and the reason.
RuntimeError file_error(const std::filesystem::path& path, FileAction action, int errno_value);

// The text shown to a person: "Ошибка 53: <message>".
std::string describe(const RuntimeError& error);

}  // namespace velmora
