#include "runtime/directory.h"

#include <algorithm>
#include <system_error>

namespace velmora {

bool is_ordinary_file(const std::filesystem::directory_entry& entry) {
  std::error_code error;
  const std::string name = entry.path().filename().string();
  return !name.empty() && name[0] != '.' && entry.is_regular_file(error);
}

std::vector<std::string> list_ordinary_files(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return names;
  for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    if (is_ordinary_file(*it)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string probe_first_file(const std::string& path) {
  if (path.empty()) return {};
  if (path.back() == std::filesystem::path::preferred_separator) {
    const auto names = list_ordinary_files(path);
    return names.empty() ? std::string() : names.front();
  }
  std::error_code error;
  const std::filesystem::directory_entry entry(path, error);
  if (error || !is_ordinary_file(entry)) return {};
  return entry.path().filename().string();
}

std::filesystem::path executable_folder() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path();
  return exe.parent_path();
}

}  // namespace velmora
