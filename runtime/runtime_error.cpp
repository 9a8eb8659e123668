#include "runtime/runtime_error.h"

#include <cerrno>

namespace velmora {
namespace {

struct Reason {
  int number;
  const char* text;
};

Reason reason_for(int errno_value) {
  switch (errno_value) {
    case ENOENT:
    case ENOTDIR:
      return {kFileNotFound, "файл не найден"};
    case EACCES:
    case EPERM:
      return {kPermissionDenied, "доступ запрещён"};
    case EROFS:
      return {kPermissionDenied, "файловая система доступна только для чтения"};
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return {kDiskFull, "диск заполнен"};
    case EIO:
      return {kDeviceIoError, "ошибка ввода-вывода устройства"};
    case ENOMEM:
      return {kOutOfMemory, "недостаточно памяти"};
    case EISDIR:
      return {kPathFileAccessError, "это папка, а не файл"};
    default:
      return {kPathFileAccessError, "ошибка доступа к пути или файлу"};
  }
}

const char* action_text(FileAction action) {
  switch (action) {
    case FileAction::open_for_reading:
      return "Не удалось открыть файл";
    case FileAction::read:
      return "Не удалось прочитать файл";
    case FileAction::create:
      return "Не удалось создать файл";
    case FileAction::write:
      return "Не удалось записать файл";
    case FileAction::rename:
      return "Не удалось сохранить файл";
  }
  return "Ошибка файла";
}

}  // namespace

RuntimeError file_error(const std::filesystem::path& path, FileAction action, int errno_value) {
  const Reason reason = reason_for(errno_value);
  return RuntimeError(reason.number, std::string(action_text(action)) + " «" + path.string() +
                                         "»: " + reason.text);
}

std::string describe(const RuntimeError& error) {
  return "Ошибка " + std::to_string(error.number()) + ": " + error.what();
}

}  // namespace velmora
