// velmora-build-driver TEXT DIR: one dictionary build as the build command
// runs it (real clock, report line on stdout), for timing whole-process runs
// and measuring peak memory from outside.

#include <iostream>

#include "builder/build_dictionary.h"
#include "runtime/runtime_error.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: velmora-build-driver TEXT DIR\n";
    return 2;
  }
  try {
    const velmora::SystemClock clock;
    const velmora::BuildResult result = velmora::build_dictionary(argv[1], argv[2], clock);
    std::cout << velmora::build_report(result) << '\n';
    return 0;
  } catch (const velmora::RuntimeError& error) {
    std::cerr << velmora::describe(error) << '\n';
    return 1;
  }
}
