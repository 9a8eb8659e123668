#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// Where the command line runs: the executable's folder (the dictionary folder
// is "dict" beside it) and whether stderr is a terminal (progress lines).
struct CliEnvironment {
  std::filesystem::path executable_folder;
  bool err_is_terminal = false;
};

// velmora-cli: the core for scripts and terminals. args are the arguments
// after the program name. Output is UTF-8. Returns the exit code: 0 success
// (also for a search that finds nothing), 1 a failure the user can mend
// (no dictionary, unreadable file), 2 bad arguments.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const CliEnvironment& environment);

}  // namespace velmora
