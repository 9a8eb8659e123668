#include <unistd.h>

#include <iostream>

#include "cli/cli.h"
#include "runtime/directory.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const velmora::CliEnvironment environment{velmora::executable_folder(), ::isatty(2) == 1};
  const int code = velmora::run(args, std::cout, std::cerr, environment);
  std::cout.flush();
  return code;
}
