#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialog/window_system.h"

namespace velmora::testing {

// What one call of get_open_file_name does, in order: fire the CBT
// notifications into the hook on top of the chain, let `edit` change the
// record as a dialog might, then end with OK on `chosen_path` (ANSI bytes,
// written with a NUL at the start of lpstrFile) or, without one, Cancel.
struct DialogScript {
  std::vector<std::pair<std::int32_t, WindowHandle>> notifications;  // (nCode, wParam)
  std::function<void(AnsiOpenFileName&)> edit;
  std::optional<std::string> chosen_path;
};

// A window system in memory. Every call is logged as one line, e.g.
// "set_window_pos 7 0 230 174 0 0 0x15"; rectangles, screen, handles and
// dialog outcomes are scripted. Hooks form a chain like the platform's: a
// notification reaches the most recently installed hook only, since the
// module's procedures do not pass it on.
class FakeWindowSystem : public WindowSystem {
 public:
  std::int32_t get_window_long(WindowHandle window, std::int32_t index) override;
  std::int32_t get_current_thread_id() override;
  HookHandle set_windows_hook_ex(std::int32_t id_hook, HookProcedure procedure,
                                 InstanceHandle instance, std::int32_t thread_id) override;
  bool unhook_windows_hook_ex(HookHandle hook) override;
  std::int32_t get_open_file_name(AnsiOpenFileName& record) override;
  bool get_window_rect(WindowHandle window, Rect& rect) override;
  bool set_window_pos(WindowHandle window, WindowHandle insert_after, std::int32_t x,
                      std::int32_t y, std::int32_t cx, std::int32_t cy,
                      std::uint32_t flags) override;
  ScreenMetrics screen_metrics(WindowHandle window) override;

  // Delivers a CBT notification to the hook on top of the chain, as the
  // platform would for a window event outside any dialog; returns false
  // when no hook is installed.
  bool fire(std::int32_t code, WindowHandle window);

  // The "set_window_pos ..." lines of the log.
  std::vector<std::string> moves() const;

  // Scripted answers.
  std::map<WindowHandle, Rect> rects;  // windows without one fail GetWindowRect
  ScreenMetrics screen{1024 * 15.0f, 768 * 15.0f, 15.0f, 15.0f};
  InstanceHandle instance = 0x11000000;
  std::int32_t thread_id = 4242;
  bool refuse_hooks = false;
  std::deque<DialogScript> dialogs;  // one per call; Cancel when none is left

  // What was seen.
  std::vector<std::string> log;
  std::vector<AnsiOpenFileName> records_received;  // as each dialog was opened
  std::vector<std::int32_t> hook_results;          // every hook procedure's result

 private:
  struct Hook {
    HookHandle handle;
    HookProcedure procedure;
  };
  std::vector<Hook> hooks_;  // the chain, last installed last
  HookHandle next_handle_ = 0x501;
};

}  // namespace velmora::testing
