#include "test_support.h"

#include <stdlib.h>
#include <sys/mount.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "runtime/field_parser.h"
#include "runtime/text_codec.h"
#include "runtime/text_file.h"

namespace velmora::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::unique_ptr<SmallMount> SmallMount::make(const std::string& options) {
  std::unique_ptr<SmallMount> mount(new SmallMount());
  if (::mount("velmora-test", mount->path().c_str(), "tmpfs", 0, options.c_str()) != 0) {
    return nullptr;
  }
  mount->mounted_ = true;
  return mount;
}

SmallMount::~SmallMount() {
  if (mounted_) ::umount2(dir_.path().c_str(), MNT_DETACH);
}

void write_bytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::string read_bytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> folder_entries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string utf8(std::u16string_view text) { return to_utf8(text); }
std::string cp1251(std::u16string_view text) { return encode_cp1251(text); }

std::vector<std::u16string> read_fields(const std::filesystem::path& path) {
  CollectFields sink;
  FieldParser parser;
  read_text_file(path, [&](std::u16string_view chunk) { parser.feed(chunk, sink); });
  parser.finish(sink);
  return sink.fields;
}

}  // namespace velmora::testing
