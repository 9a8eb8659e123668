#include "runtime/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

namespace velmora {
namespace {

std::atomic<unsigned> temp_counter{0};

constexpr int kCreateAttempts = 100;

}  // namespace

OutputFile::OutputFile(std::filesystem::path final_path) : final_path_(std::move(final_path)) {
  const std::filesystem::path folder = final_path_.parent_path();
  std::string stem(1, '.');
  stem += final_path_.filename().string();
  stem += ".tmp-";
  stem += std::to_string(::getpid());
  stem += '-';
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    temp_path_ = folder / (stem + std::to_string(temp_counter.fetch_add(1)));
    fd_ = ::open(temp_path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) return;
    if (errno != EEXIST) break;
  }
  const int error = errno;
  temp_path_.clear();
  done_ = true;
  throw file_error(final_path_, FileAction::create, error);
}

OutputFile::~OutputFile() {
  if (!done_) discard();
}

void OutputFile::discard() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_path_.empty()) ::unlink(temp_path_.c_str());
  done_ = true;
}

void OutputFile::fail(FileAction action, int errno_value) {
  discard();
  throw file_error(final_path_, action, errno_value);
}

void OutputFile::write(std::string_view bytes) {
  if (done_) fail(FileAction::write, EBADF);
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      fail(FileAction::write, errno);
    }
    // A write that makes no progress can only mean the device is full.
    if (written == 0) fail(FileAction::write, ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

void OutputFile::commit() {
  if (done_) fail(FileAction::write, EBADF);
  if (::fsync(fd_) != 0) fail(FileAction::write, errno);
  const int fd = fd_;
  fd_ = -1;
  // Delayed write errors (a full disk on some file systems) surface here.
  if (::close(fd) != 0) fail(FileAction::write, errno);
  if (::rename(temp_path_.c_str(), final_path_.c_str()) != 0) fail(FileAction::rename, errno);
  done_ = true;
  // Make the rename itself durable; the file is complete either way, so a
  // folder that cannot be synced is not an error.
  const std::filesystem::path folder = final_path_.parent_path();
  const int folder_fd =
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
}

void write_file_safely(const std::filesystem::path& path, std::string_view contents) {
  OutputFile file(path);
  file.write(contents);
  file.commit();
}

}  // namespace velmora
