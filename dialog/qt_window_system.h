#pragma once

#include <QFileDialog>
#include <QPointer>
#include <QWidget>
#include <exception>
#include <map>
#include <memory>
#include <vector>

#include "dialog/window_system.h"

// The window system of the program, over Qt Widgets.
//
// - Window handles stand for QWidgets. handle_of(widget) gives a window's
//   handle, the same one for as long as the widget lives; a handle whose
//   widget is gone, or was never handed out, names no window. This is how a
//   Qt caller passes its window to CenteredOpenDialog::open_file_dialog:
//   `dialog.open_file_dialog(windows.handle_of(this), 0)`.
// - The Open dialog is a non-native QFileDialog owned by the record's
//   hwndOwner (a real Qt window on X11 as anywhere else). Its initial file
//   name is lpstrFile up to its first NUL; a name of blanks only shows as an
//   empty name box. OK writes the chosen path (host separators, Windows-1251,
//   a character the code page lacks as '?') and a NUL at the start of
//   lpstrFile, the file's name and a NUL at the start of lpstrFileTitle, and
//   sets nFileOffset and nFileExtension; a path that does not fit nMaxFile
//   fails the call. Flags with OFN_FILEMUSTEXIST asks for an existing file;
//   without it any name is accepted. Flags come back unchanged.
// - A CBT hook is an event filter on the application. It calls the procedure
//   with kHcbtActivate and a window's handle when a top-level window is first
//   shown or activated (the show comes first, before the window appears on
//   the screen, so a move there is never seen as a jump), on the GUI thread.
//   No other CBT codes are delivered. A procedure that throws closes the
//   running dialog as if cancelled, and get_open_file_name then rethrows.
// - Rectangles are frame geometries in device-independent pixels; SetWindowPos
//   moves the frame's top-left corner and resizes unless kSwpNoSize; it never
//   changes z-order or activation. The screen is the window's screen, full
//   size (not the work area), at 15 twips per device-independent pixel.
// - The module instance handle of every known window is kModuleInstance; the
//   thread id is a small number per thread.
//
// Everything runs on the thread of the QApplication, which must exist.
namespace velmora {

inline constexpr InstanceHandle kModuleInstance = 0x00400000;
inline constexpr float kTwipsPerPixel = 15.0f;
inline constexpr std::int32_t kOfnFileMustExist = 0x00001000;

class QtWindowSystem : public WindowSystem {
 public:
  QtWindowSystem();
  ~QtWindowSystem() override;
  QtWindowSystem(const QtWindowSystem&) = delete;
  QtWindowSystem& operator=(const QtWindowSystem&) = delete;

  // 0 for nullptr.
  WindowHandle handle_of(QWidget* widget);
  // nullptr for a handle that names no living window.
  QWidget* widget_of(WindowHandle window) const;

  // The dialog get_open_file_name is showing right now, or nullptr.
  QFileDialog* running_dialog() const { return running_dialog_; }

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

  // Installed hooks, for tests.
  std::size_t hook_count() const { return hooks_.size(); }

 private:
  class HookFilter;
  friend class HookFilter;

  void call_hook(HookFilter& filter, QWidget* window);

  std::vector<QPointer<QWidget>> windows_;  // handle = index + 1
  std::map<HookHandle, std::unique_ptr<HookFilter>> hooks_;
  // Removed hooks wait here, since a hook may remove itself from inside its
  // own filter; deleted when no filter can be running.
  std::vector<std::unique_ptr<HookFilter>> removed_hooks_;
  HookHandle next_hook_ = 1;
  QPointer<QFileDialog> running_dialog_;
  std::exception_ptr hook_error_;
};

}  // namespace velmora
