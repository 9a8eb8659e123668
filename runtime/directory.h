#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

// An ordinary file is a regular file (or a link to one) whose name does not
// start with a dot; hidden files and folders are never dictionaries.
bool is_ordinary_file(const std::filesystem::directory_entry& entry);

// The directory probe. For a path that ends in a separator: the name of the
// first ordinary file inside that folder, by name. For any other path: its
// file name when it names an ordinary file. Otherwise, and when the folder
// cannot be read, the empty string.
std::string probe_first_file(const std::string& path);

// The names (without folder) of every ordinary file in the folder, sorted by
// their bytes: the order the file list shows and loads them in. A folder that
// does not exist or cannot be read gives an empty list.
std::vector<std::string> list_ordinary_files(const std::filesystem::path& folder);

// The folder of the running executable.
std::filesystem::path executable_folder();

}  // namespace velmora
