#include "fake_window_system.h"

#include <cstdio>

namespace velmora::testing {
namespace {

std::string line(const char* name, std::initializer_list<long long> values) {
  std::string text = name;
  for (const long long value : values) {
    text += ' ';
    text += std::to_string(value);
  }
  return text;
}

}  // namespace

std::int32_t FakeWindowSystem::get_window_long(WindowHandle window, std::int32_t index) {
  log.push_back(line("get_window_long", {window, index}));
  return instance;
}

std::int32_t FakeWindowSystem::get_current_thread_id() {
  log.push_back("get_current_thread_id");
  return thread_id;
}

HookHandle FakeWindowSystem::set_windows_hook_ex(std::int32_t id_hook, HookProcedure procedure,
                                                 InstanceHandle instance_handle,
                                                 std::int32_t thread) {
  log.push_back(line("set_windows_hook_ex", {id_hook, instance_handle, thread}));
  if (refuse_hooks) return 0;
  hooks_.push_back({next_handle_, std::move(procedure)});
  return next_handle_++;
}

bool FakeWindowSystem::unhook_windows_hook_ex(HookHandle hook) {
  log.push_back(line("unhook_windows_hook_ex", {hook}));
  for (auto it = hooks_.begin(); it != hooks_.end(); ++it) {
    if (it->handle == hook) {
      hooks_.erase(it);
      return true;
    }
  }
  return false;
}

bool FakeWindowSystem::fire(std::int32_t code, WindowHandle window) {
  if (hooks_.empty()) return false;
  // A copy: the procedure may remove its own hook while it runs.
  const HookProcedure procedure = hooks_.back().procedure;
  hook_results.push_back(procedure(code, window, 0));
  return true;
}

std::int32_t FakeWindowSystem::get_open_file_name(AnsiOpenFileName& record) {
  log.push_back("get_open_file_name");
  records_received.push_back(record);
  DialogScript script;
  if (!dialogs.empty()) {
    script = std::move(dialogs.front());
    dialogs.pop_front();
  }
  for (const auto& [code, window] : script.notifications) fire(code, window);
  if (script.edit) script.edit(record);
  log.push_back("dialog closed");
  if (!script.chosen_path) return 0;
  const std::string& path = *script.chosen_path;
  if (path.size() + 1 > static_cast<std::size_t>(record.nMaxFile)) return 0;
  record.lpstrFile.replace(0, path.size() + 1, path + '\0');
  return 1;
}

bool FakeWindowSystem::get_window_rect(WindowHandle window, Rect& rect) {
  log.push_back(line("get_window_rect", {window}));
  const auto found = rects.find(window);
  if (found == rects.end()) return false;
  rect = found->second;
  return true;
}

bool FakeWindowSystem::set_window_pos(WindowHandle window, WindowHandle insert_after,
                                      std::int32_t x, std::int32_t y, std::int32_t cx,
                                      std::int32_t cy, std::uint32_t flags) {
  char hex[16];
  std::snprintf(hex, sizeof hex, " 0x%x", flags);
  log.push_back(line("set_window_pos", {window, insert_after, x, y, cx, cy}) + hex);
  return true;
}

ScreenMetrics FakeWindowSystem::screen_metrics(WindowHandle window) {
  log.push_back(line("screen_metrics", {window}));
  return screen;
}

std::vector<std::string> FakeWindowSystem::moves() const {
  std::vector<std::string> found;
  for (const std::string& entry : log) {
    if (entry.starts_with("set_window_pos")) found.push_back(entry);
  }
  return found;
}

}  // namespace velmora::testing
