#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "dialog/window_system.h"

// The Open dialog that centres itself on the screen or on its owner window.
//
// open_file_dialog installs a thread-local CBT hook just before it opens the
// dialog; the hook moves the first window activated on the thread (the dialog
// itself) and removes itself. The file buffer is kept from call to call and
// grows by 2048 characters on every call; its text before the first NUL is the
// next call's initial file name.
//
// Use from a Qt window (see qt_window_system.h):
//
//   velmora::QtWindowSystem windows;                  // lives as long as the dialog
//   velmora::CenteredOpenDialog dialog(windows);      // one per program: its state persists
//   std::u16string buffer = dialog.open_file_dialog(windows.handle_of(this), 0);
//   std::u16string path = velmora::path_before_nul(buffer);   // empty after Cancel
namespace velmora {

// The Open dialog record as the module keeps it, text members in UTF-16.
using OpenFileName = BasicOpenFileName<std::u16string>;

inline constexpr std::int32_t kOpenFileNameSize = 76;
inline constexpr std::int32_t kFileTitleLength = 2048;
inline constexpr std::int32_t kFileBufferGrowth = 2048;  // 2047 blanks and a NUL

// Error numbers raised by the centring arithmetic, as the classic BASIC
// runtime numbers them.
inline constexpr int kOverflowError = 6;
inline constexpr int kDivisionByZeroError = 11;

// Every text member converted to Windows-1251 over its full length, embedded
// NULs included (a character the code page lacks becomes '?'); numeric
// members copied.
AnsiOpenFileName to_ansi(const OpenFileName& record);
// Every member back, every text member over its full length.
OpenFileName from_ansi(const AnsiOpenFileName& record);

// The text before the first NUL; all of it when there is none.
std::u16string path_before_nul(std::u16string_view buffer);

// The centring arithmetic, shared by both hooks.
//
// extent: hi - lo as a 32-bit signed subtraction; overflow raises
// RuntimeError kOverflowError.
std::int32_t checked_extent(std::int32_t lo, std::int32_t hi);
// to_screen_coordinate: rounds to the nearest integer, a value exactly
// halfway to the even neighbour (230.5 -> 230, 229.5 -> 230); NaN, infinity
// or a result outside the 32-bit range raises RuntimeError kOverflowError.
std::int32_t to_screen_coordinate(double value);
// The top-left corner that centres a dialog of rectangle `dialog` on the
// screen / on the owner's rectangle. Nothing is clamped; the results may be
// negative or past the screen's edge. Raise RuntimeError (kOverflowError, or
// kDivisionByZeroError for a zero twips-per-pixel with a nonzero size).
std::pair<std::int32_t, std::int32_t> centre_on_screen(const ScreenMetrics& screen,
                                                       const Rect& dialog);
std::pair<std::int32_t, std::int32_t> centre_on_owner(const Rect& owner, const Rect& dialog);

// The module: its state lives as long as the object, zero or empty at start,
// and is reused by every call. Single-threaded: all calls, the hook
// procedures included, come on the thread that calls open_file_dialog.
class CenteredOpenDialog {
 public:
  // `windows` must outlive the object.
  explicit CenteredOpenDialog(WindowSystem& windows) : windows_(windows) {}
  CenteredOpenDialog(const CenteredOpenDialog&) = delete;
  CenteredOpenDialog& operator=(const CenteredOpenDialog&) = delete;

  // Shows the Open dialog owned by `owner`, centred on the owner window when
  // center_on_owner is -1 and on the screen for every other value. Returns
  // the whole file buffer after OK (the chosen path, a NUL, then the rest of
  // the buffer: as long as this call's capacity) and the empty string after
  // Cancel or a failure of the dialog. Raises RuntimeError when the centring
  // arithmetic fails; the hook is removed all the same.
  std::u16string open_file_dialog(WindowHandle owner, std::int16_t center_on_owner);

  // The hook procedures. For nCode kHcbtActivate they move the window wParam
  // to the centre of the screen / of owner_hwnd's window, remove hook_handle
  // and return 0; every other code returns 0 and changes nothing. lParam is
  // not used.
  std::int32_t center_on_screen_hook(std::int32_t nCode, std::int32_t wParam, std::int32_t lParam);
  std::int32_t center_on_owner_hook(std::int32_t nCode, std::int32_t wParam, std::int32_t lParam);

  // The record as the latest call left it (read-only; only open_file_dialog
  // writes it).
  const OpenFileName& record() const { return dialog_record; }

 private:
  void move_and_unhook(WindowHandle window, std::pair<std::int32_t, std::int32_t> corner);

  WindowSystem& windows_;
  OpenFileName dialog_record;
  HookHandle hook_handle = 0;   // installed by the latest call
  WindowHandle owner_hwnd = 0;  // owner of the latest call
  // True from installing a hook until a hook procedure or the call's own
  // clean-up removes it.
  bool hook_installed_ = false;
};

}  // namespace velmora
