#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// Texts larger than this show their reading progress on a terminal.
inline constexpr std::uint64_t kBuildProgressThresholdBytes = 20ull * 1024 * 1024;

// `velmora-cli build TEXT [--dict DIR]`: builds a new dictionary from the text
// file TEXT into DIR, or into default_dict_folder when --dict is not given.
// args are the arguments after "build"; "--dict=DIR" works as well, and "--"
// ends the options.
//
// On success prints the report line ("1523 слов сохранено в
// dict_45296,55.txt") to out and returns 0. A text or folder that cannot be
// read or written, or no folder at all (no --dict and an empty
// default_dict_folder), prints "velmora-cli: Ошибка N: …" to err and returns 1;
// no dictionary file is left behind. Wrong arguments print the usage to err
// and return 2. When err_is_terminal and the text is larger than
// kBuildProgressThresholdBytes, err shows "Прочитано X из Y байт (P%)" on one
// line, rewritten as the reading goes on, and ends it with a line feed.
int run_build_command(const std::vector<std::string>& args,
                      const std::filesystem::path& default_dict_folder, std::ostream& out,
                      std::ostream& err, bool err_is_terminal);

}  // namespace velmora
