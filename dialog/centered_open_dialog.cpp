#include "dialog/centered_open_dialog.h"

#include <cmath>
#include <limits>

#include "runtime/runtime_error.h"
#include "runtime/text_codec.h"

namespace velmora {
namespace {

[[noreturn]] void raise(int number, const char* what) {
  throw RuntimeError(number, std::string(what) + " при расчёте положения окна открытия файла");
}

[[noreturn]] void raise_overflow() { raise(kOverflowError, "Переполнение"); }

template <typename To, typename From, typename ConvertText>
BasicOpenFileName<To> convert_record(const BasicOpenFileName<From>& from, ConvertText text) {
  BasicOpenFileName<To> to;
  to.lStructSize = from.lStructSize;
  to.hwndOwner = from.hwndOwner;
  to.hInstance = from.hInstance;
  to.lpstrFilter = text(from.lpstrFilter);
  to.lpstrCustomFilter = text(from.lpstrCustomFilter);
  to.nMaxCustFilter = from.nMaxCustFilter;
  to.nFilterIndex = from.nFilterIndex;
  to.lpstrFile = text(from.lpstrFile);
  to.nMaxFile = from.nMaxFile;
  to.lpstrFileTitle = text(from.lpstrFileTitle);
  to.nMaxFileTitle = from.nMaxFileTitle;
  to.lpstrInitialDir = text(from.lpstrInitialDir);
  to.lpstrTitle = text(from.lpstrTitle);
  to.Flags = from.Flags;
  to.nFileOffset = from.nFileOffset;
  to.nFileExtension = from.nFileExtension;
  to.lpstrDefExt = text(from.lpstrDefExt);
  to.lCustData = from.lCustData;
  to.lpfnHook = from.lpfnHook;
  to.lpTemplateName = text(from.lpTemplateName);
  return to;
}

std::u16string ansi_to_utf16(const std::string& bytes) {
  std::u16string text(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    text[i] = cp1251_to_utf16(static_cast<unsigned char>(bytes[i]));
  }
  return text;
}

// The screen's size in pixels on one axis: a single-precision quotient.
float screen_pixels(float twips, float twips_per_pixel) {
  if (std::isnan(twips) || std::isnan(twips_per_pixel)) raise_overflow();
  if (twips_per_pixel == 0) {
    if (twips == 0) raise_overflow();  // 0 / 0 is an invalid operation
    raise(kDivisionByZeroError, "Деление на ноль");
  }
  const float pixels = twips / twips_per_pixel;
  if (!std::isfinite(pixels)) raise_overflow();
  return pixels;
}

}  // namespace

AnsiOpenFileName to_ansi(const OpenFileName& record) {
  return convert_record<std::string>(
      record, [](const std::u16string& text) { return encode_cp1251(text); });
}

OpenFileName from_ansi(const AnsiOpenFileName& record) {
  return convert_record<std::u16string>(record, ansi_to_utf16);
}

std::u16string path_before_nul(std::u16string_view buffer) {
  return std::u16string(buffer.substr(0, buffer.find(u'\0')));
}

std::int32_t checked_extent(std::int32_t lo, std::int32_t hi) {
  std::int32_t extent = 0;
  if (__builtin_sub_overflow(hi, lo, &extent)) raise_overflow();
  return extent;
}

std::int32_t to_screen_coordinate(double value) {
  if (!std::isfinite(value)) raise_overflow();
  double rounded = std::floor(value);
  const double fraction = value - rounded;  // exact: value and its floor are close
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0)) rounded += 1;
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max()) {
    raise_overflow();
  }
  return static_cast<std::int32_t>(rounded);
}

std::pair<std::int32_t, std::int32_t> centre_on_screen(const ScreenMetrics& screen,
                                                       const Rect& dialog) {
  const double x =
      static_cast<double>(screen_pixels(screen.width_twips, screen.twips_per_pixel_x)) / 2 -
      static_cast<double>(checked_extent(dialog.left, dialog.right)) / 2;
  const double y =
      static_cast<double>(screen_pixels(screen.height_twips, screen.twips_per_pixel_y)) / 2 -
      static_cast<double>(checked_extent(dialog.top, dialog.bottom)) / 2;
  return {to_screen_coordinate(x), to_screen_coordinate(y)};
}

std::pair<std::int32_t, std::int32_t> centre_on_owner(const Rect& owner, const Rect& dialog) {
  const double x = static_cast<double>(checked_extent(owner.left, owner.right)) / 2 +
                   static_cast<double>(owner.left) -
                   static_cast<double>(checked_extent(dialog.left, dialog.right)) / 2;
  const double y = static_cast<double>(checked_extent(owner.top, owner.bottom)) / 2 +
                   static_cast<double>(owner.top) -
                   static_cast<double>(checked_extent(dialog.top, dialog.bottom)) / 2;
  return {to_screen_coordinate(x), to_screen_coordinate(y)};
}

std::u16string CenteredOpenDialog::open_file_dialog(WindowHandle owner,
                                                    std::int16_t center_on_owner) {
  owner_hwnd = owner;
  dialog_record.lStructSize = kOpenFileNameSize;
  dialog_record.hwndOwner = owner;
  dialog_record.lpstrFileTitle.assign(kFileTitleLength, u' ');
  dialog_record.nMaxFileTitle = kFileTitleLength;
  dialog_record.lpstrFile.append(kFileBufferGrowth - 1, u' ');
  dialog_record.lpstrFile.push_back(u'\0');
  dialog_record.nMaxFile = static_cast<std::int32_t>(dialog_record.lpstrFile.size());

  const InstanceHandle instance = windows_.get_window_long(owner, kGwlHinstance);
  const std::int32_t thread_id = windows_.get_current_thread_id();
  HookProcedure procedure;
  if (center_on_owner == -1) {
    procedure = [this](std::int32_t code, std::int32_t w, std::int32_t l) {
      return center_on_owner_hook(code, w, l);
    };
  } else {
    procedure = [this](std::int32_t code, std::int32_t w, std::int32_t l) {
      return center_on_screen_hook(code, w, l);
    };
  }
  hook_handle = windows_.set_windows_hook_ex(kWhCbt, std::move(procedure), instance, thread_id);
  hook_installed_ = hook_handle != 0;

  // A dialog that returns before any window was activated (or whose hook
  // failed) would leave the hook waiting to move some later window: remove
  // it here, on every way out.
  struct RemoveUnusedHook {
    CenteredOpenDialog& self;
    ~RemoveUnusedHook() {
      if (self.hook_installed_) {
        self.hook_installed_ = false;
        self.windows_.unhook_windows_hook_ex(self.hook_handle);
      }
    }
  } remove_unused_hook{*this};

  AnsiOpenFileName ansi = to_ansi(dialog_record);
  const std::int32_t result = windows_.get_open_file_name(ansi);
  dialog_record = from_ansi(ansi);
  return result != 0 ? dialog_record.lpstrFile : std::u16string();
}

std::int32_t CenteredOpenDialog::center_on_screen_hook(std::int32_t nCode, std::int32_t wParam,
                                                       std::int32_t /*lParam*/) {
  if (nCode != kHcbtActivate) return 0;
  Rect dialog;
  windows_.get_window_rect(wParam, dialog);
  move_and_unhook(wParam, centre_on_screen(windows_.screen_metrics(wParam), dialog));
  return 0;
}

std::int32_t CenteredOpenDialog::center_on_owner_hook(std::int32_t nCode, std::int32_t wParam,
                                                      std::int32_t /*lParam*/) {
  if (nCode != kHcbtActivate) return 0;
  Rect owner;
  windows_.get_window_rect(owner_hwnd, owner);
  Rect dialog;
  windows_.get_window_rect(wParam, dialog);
  move_and_unhook(wParam, centre_on_owner(owner, dialog));
  return 0;
}

void CenteredOpenDialog::move_and_unhook(WindowHandle window,
                                         std::pair<std::int32_t, std::int32_t> corner) {
  windows_.set_window_pos(window, 0, corner.first, corner.second, 0, 0,
                          kSwpNoSize | kSwpNoZorder | kSwpNoActivate);
  windows_.unhook_windows_hook_ex(hook_handle);
  hook_installed_ = false;
}

}  // namespace velmora
