#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/runtime_error.h"

namespace velmora::testing {

// A fresh folder under the system's temporary folder, removed with all its
// contents when the object goes.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A small tmpfs mounted on a fresh folder, unmounted when the object goes.
// Mounting needs privileges a test run may not have: make() then returns
// nothing and the caller skips.
class SmallMount {
 public:
  static std::unique_ptr<SmallMount> make(const std::string& options);
  SmallMount(const SmallMount&) = delete;
  SmallMount& operator=(const SmallMount&) = delete;
  ~SmallMount();
  const std::filesystem::path& path() const { return dir_.path(); }

 private:
  SmallMount() = default;
  TempDir dir_;
  bool mounted_ = false;
};

void write_bytes(const std::filesystem::path& path, std::string_view bytes);
std::string read_bytes(const std::filesystem::path& path);

// The names of everything in a folder, hidden entries included, sorted.
std::vector<std::string> folder_entries(const std::filesystem::path& folder);

// Text as UTF-8 bytes, for writing test files.
std::string utf8(std::u16string_view text);
// Text as Windows-1251 bytes.
std::string cp1251(std::u16string_view text);

// A field reader sink that keeps every field whole.
struct CollectFields {
  std::vector<std::u16string> fields;
  std::u16string current;
  void text(std::u16string_view piece) { current.append(piece); }
  void end_field() {
    fields.push_back(std::move(current));
    current.clear();
  }
};

// Runs body, which must throw RuntimeError; returns it.
template <class Body>
RuntimeError expect_runtime_error(Body body) {
  try {
    body();
  } catch (const RuntimeError& error) {
    return error;
  }
  ADD_FAILURE() << "no RuntimeError";
  return RuntimeError(0, "");
}

// Every field of a file as read_text_file and FieldParser give it, whole.
std::vector<std::u16string> read_fields(const std::filesystem::path& path);

}  // namespace velmora::testing
