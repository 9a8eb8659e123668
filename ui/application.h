#pragma once

namespace velmora {

// The whole program: the Qt application, the window over real message boxes,
// start-up beside the running executable, then the event loop. Returns the
// exit status: 0 once the window is closed, 1 when the dictionary folder is
// missing or empty (the window is then never shown).
int run_application(int& argc, char** argv);

}  // namespace velmora
