#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The few window-system calls the Open dialog module makes, as one interface
// with the platform's argument and result conventions kept: handles are
// 32-bit values, results are Windows-style BOOLs that the module ignores.
// QtWindowSystem (qt_window_system.h) is the program's implementation; the
// tests use a fake that records calls and returns scripted answers.
namespace velmora {

using WindowHandle = std::int32_t;    // 0 is "no window"
using HookHandle = std::int32_t;      // 0 is "no hook"
using InstanceHandle = std::int32_t;  // a module instance handle

// A window's outer rectangle in screen pixels; right and bottom are exclusive,
// so the width is right - left.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The screen as the classic screen object reports it: size in twips and twips
// per pixel on each axis, all single precision. width_twips / twips_per_pixel_x
// is the width in pixels.
struct ScreenMetrics {
  float width_twips = 0;
  float height_twips = 0;
  float twips_per_pixel_x = 0;
  float twips_per_pixel_y = 0;
};

// A CBT hook procedure: (nCode, wParam, lParam) -> result. For code
// kHcbtActivate, wParam is the handle of the window about to be activated.
using HookProcedure = std::function<std::int32_t(std::int32_t, std::int32_t, std::int32_t)>;

inline constexpr std::int32_t kGwlHinstance = -6;
inline constexpr std::int32_t kWhCbt = 5;
inline constexpr std::int32_t kHcbtActivate = 5;
inline constexpr std::uint32_t kSwpNoSize = 0x0001;
inline constexpr std::uint32_t kSwpNoMove = 0x0002;
inline constexpr std::uint32_t kSwpNoZorder = 0x0004;
inline constexpr std::uint32_t kSwpNoActivate = 0x0010;

// The Open dialog record in the ANSI form the dialog call works on: the
// 76-byte OPENFILENAMEA, members lStructSize to lpTemplateName. Text members
// are byte strings in the ANSI code page (Windows-1251) and may hold NULs; an
// empty text member stands for a null pointer. The dialog reads the file
// buffer lpstrFile up to its first NUL as the initial file name and writes the
// chosen path there; nMaxFile is the buffer's capacity in characters.
template <typename Text>
struct BasicOpenFileName {
  std::int32_t lStructSize = 0;
  WindowHandle hwndOwner = 0;
  InstanceHandle hInstance = 0;
  Text lpstrFilter;
  Text lpstrCustomFilter;
  std::int32_t nMaxCustFilter = 0;
  std::int32_t nFilterIndex = 0;
  Text lpstrFile;
  std::int32_t nMaxFile = 0;
  Text lpstrFileTitle;
  std::int32_t nMaxFileTitle = 0;
  Text lpstrInitialDir;
  Text lpstrTitle;
  std::int32_t Flags = 0;
  std::uint16_t nFileOffset = 0;
  std::uint16_t nFileExtension = 0;
  Text lpstrDefExt;
  std::int32_t lCustData = 0;
  std::int32_t lpfnHook = 0;
  Text lpTemplateName;

  friend bool operator==(const BasicOpenFileName&, const BasicOpenFileName&) = default;
};

using AnsiOpenFileName = BasicOpenFileName<std::string>;

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // GetWindowLongA: with kGwlHinstance, the module instance handle of the
  // window; 0 for an unknown window.
  virtual std::int32_t get_window_long(WindowHandle window, std::int32_t index) = 0;

  // GetCurrentThreadId.
  virtual std::int32_t get_current_thread_id() = 0;

  // SetWindowsHookExA: installs `procedure` as a hook of kind `id_hook` for
  // the thread `thread_id`; it is called on that thread until removed.
  // Returns its handle, or 0 when it could not be installed.
  virtual HookHandle set_windows_hook_ex(std::int32_t id_hook, HookProcedure procedure,
                                         InstanceHandle instance, std::int32_t thread_id) = 0;

  // UnhookWindowsHookEx: removes the hook; false when there is no such hook.
  // May be called from inside the hook's own procedure.
  virtual bool unhook_windows_hook_ex(HookHandle hook) = 0;

  // GetOpenFileNameA: shows the modal Open dialog described by `record`,
  // which it may update. Nonzero after OK, with the chosen full path written
  // NUL-terminated at the start of lpstrFile; 0 after Cancel or failure.
  // Hook procedures run inside this call.
  virtual std::int32_t get_open_file_name(AnsiOpenFileName& record) = 0;

  // GetWindowRect: the window's outer rectangle in screen pixels. On failure
  // returns false and leaves `rect` as it was.
  virtual bool get_window_rect(WindowHandle window, Rect& rect) = 0;

  // SetWindowPos with the kSwp* flags.
  virtual bool set_window_pos(WindowHandle window, WindowHandle insert_after, std::int32_t x,
                              std::int32_t y, std::int32_t cx, std::int32_t cy,
                              std::uint32_t flags) = 0;

  // The screen object's figures for the screen that `window` is on (the
  // primary screen when it is on none), read afresh on every call.
  virtual ScreenMetrics screen_metrics(WindowHandle window) = 0;
};

}  // namespace velmora
