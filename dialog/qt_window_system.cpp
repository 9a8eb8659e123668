#include "dialog/qt_window_system.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMetaObject>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <string>
#include <utility>

#include "dialog/centered_open_dialog.h"
#include "runtime/text_codec.h"

namespace velmora {
namespace {

QString to_qstring(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string from_ansi_text(std::string_view bytes) {
  std::u16string text;
  append_cp1251_as_utf16(bytes, text);
  return text;
}

// Windows that Windows itself would activate when shown: not tooltips,
// popups or splash screens.
bool activates_when_shown(const QWidget& window) {
  switch (window.windowType()) {
    case Qt::ToolTip:
    case Qt::Popup:
    case Qt::SplashScreen:
      return false;
    default:
      return !window.testAttribute(Qt::WA_ShowWithoutActivating);
  }
}

}  // namespace

class QtWindowSystem::HookFilter : public QObject {
 public:
  HookFilter(QtWindowSystem& system, HookProcedure procedure)
      : system_(system), procedure_(std::move(procedure)) {}

  void call(QWidget* window) { procedure_(kHcbtActivate, system_.handle_of(window), 0); }

  bool failed = false;  // its procedure threw; it is called no more

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::WindowActivate) return false;
    if (failed || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow()) return false;
    if (type == QEvent::Show && !activates_when_shown(*widget)) return false;
    system_.call_hook(*this, widget);
    return false;  // the event always goes on
  }

 private:
  QtWindowSystem& system_;
  HookProcedure procedure_;
};

QtWindowSystem::QtWindowSystem() = default;

QtWindowSystem::~QtWindowSystem() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    for (auto& [handle, filter] : hooks_) app->removeEventFilter(filter.get());
  }
}

WindowHandle QtWindowSystem::handle_of(QWidget* widget) {
  if (widget == nullptr) return 0;
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (windows_[i] == widget) return static_cast<WindowHandle>(i + 1);
  }
  windows_.emplace_back(widget);
  return static_cast<WindowHandle>(windows_.size());
}

QWidget* QtWindowSystem::widget_of(WindowHandle window) const {
  if (window <= 0 || static_cast<std::size_t>(window) > windows_.size()) return nullptr;
  return windows_[static_cast<std::size_t>(window) - 1];
}

std::int32_t QtWindowSystem::get_window_long(WindowHandle window, std::int32_t index) {
  if (index != kGwlHinstance || widget_of(window) == nullptr) return 0;
  return kModuleInstance;
}

std::int32_t QtWindowSystem::get_current_thread_id() {
  static std::atomic<std::int32_t> next_id{1};
  thread_local const std::int32_t id = next_id++;
  return id;
}

HookHandle QtWindowSystem::set_windows_hook_ex(std::int32_t id_hook, HookProcedure procedure,
                                               InstanceHandle /*instance*/,
                                               std::int32_t thread_id) {
  QCoreApplication* app = QCoreApplication::instance();
  if (id_hook != kWhCbt || !procedure || app == nullptr ||
      QThread::currentThread() != app->thread() || thread_id != get_current_thread_id()) {
    return 0;
  }
  removed_hooks_.clear();
  auto filter = std::make_unique<HookFilter>(*this, std::move(procedure));
  app->installEventFilter(filter.get());
  const HookHandle handle = next_hook_++;
  hooks_.emplace(handle, std::move(filter));
  return handle;
}

bool QtWindowSystem::unhook_windows_hook_ex(HookHandle hook) {
  const auto found = hooks_.find(hook);
  if (found == hooks_.end()) return false;
  if (QCoreApplication* app = QCoreApplication::instance()) {
    app->removeEventFilter(found->second.get());
  }
  removed_hooks_.push_back(std::move(found->second));
  hooks_.erase(found);
  return true;
}

void QtWindowSystem::call_hook(HookFilter& filter, QWidget* window) {
  // An exception must not cross Qt's event dispatch: keep it, close the
  // dialog, and let get_open_file_name raise it once exec() has returned.
  try {
    filter.call(window);
  } catch (...) {
    filter.failed = true;
    if (!hook_error_) hook_error_ = std::current_exception();
    if (running_dialog_) {
      QMetaObject::invokeMethod(running_dialog_.data(), &QDialog::reject, Qt::QueuedConnection);
    }
  }
}

std::int32_t QtWindowSystem::get_open_file_name(AnsiOpenFileName& record) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return 0;
  if (record.nMaxFile <= 0) return 0;
  removed_hooks_.clear();

  QFileDialog dialog(widget_of(record.hwndOwner));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode((record.Flags & kOfnFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                             : QFileDialog::AnyFile);
  const std::u16string title = from_ansi_text(record.lpstrTitle);
  dialog.setWindowTitle(title.empty() ? QStringLiteral("Открыть")
                                      : to_qstring(path_before_nul(title)));

  const std::size_t capacity =
      std::min<std::size_t>(record.lpstrFile.size(), static_cast<std::size_t>(record.nMaxFile));
  const std::u16string initial_name =
      path_before_nul(from_ansi_text(record.lpstrFile.substr(0, capacity)));
  if (initial_name.find_first_not_of(u' ') != std::u16string::npos) {
    dialog.selectFile(to_qstring(initial_name));
  }

  running_dialog_ = &dialog;
  int outcome = QDialog::Rejected;
  for (;;) {
    outcome = dialog.exec();
    if (outcome != QDialog::Accepted || hook_error_ || dialog.selectedFiles().isEmpty()) break;
    // The path travels in the ANSI code page: a name it cannot spell would
    // come back as question marks and name no file. Say so, as the dialog
    // says of a name it cannot use, and let the user choose again.
    if (cp1251_can_encode(dialog.selectedFiles().constFirst().toStdU16String())) break;
    QMessageBox::warning(&dialog, dialog.windowTitle(),
                         QStringLiteral("В пути к файлу есть знаки, которых нет в кодировке "
                                        "Windows-1251. Выберите другой файл или переименуйте "
                                        "этот."));
  }
  running_dialog_ = nullptr;
  if (hook_error_) std::rethrow_exception(std::exchange(hook_error_, nullptr));
  if (outcome != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return 0;

  const QString chosen = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
  const std::string path = encode_cp1251(chosen.toStdU16String());
  if (path.size() + 1 > capacity) return 0;
  record.lpstrFile.replace(0, path.size() + 1, path + '\0');

  const std::string name =
      encode_cp1251(QFileInfo(dialog.selectedFiles().constFirst()).fileName().toStdU16String());
  const std::size_t name_offset = path.size() - name.size();
  const std::size_t dot = name.rfind('.');
  record.nFileOffset = static_cast<std::uint16_t>(name_offset);
  record.nFileExtension =
      static_cast<std::uint16_t>(dot == std::string::npos ? path.size() : name_offset + dot + 1);
  const std::size_t title_capacity = std::min<std::size_t>(
      record.lpstrFileTitle.size(), static_cast<std::size_t>(std::max(record.nMaxFileTitle, 0)));
  if (name.size() + 1 <= title_capacity)
    record.lpstrFileTitle.replace(0, name.size() + 1, name + '\0');
  return 1;
}

bool QtWindowSystem::get_window_rect(WindowHandle window, Rect& rect) {
  const QWidget* widget = widget_of(window);
  if (widget == nullptr) return false;
  const QRect frame = widget->frameGeometry();
  rect = {frame.x(), frame.y(), frame.x() + frame.width(), frame.y() + frame.height()};
  return true;
}

bool QtWindowSystem::set_window_pos(WindowHandle window, WindowHandle /*insert_after*/,
                                    std::int32_t x, std::int32_t y, std::int32_t cx,
                                    std::int32_t cy, std::uint32_t flags) {
  QWidget* widget = widget_of(window);
  if (widget == nullptr) return false;
  if ((flags & kSwpNoSize) == 0) widget->resize(cx, cy);
  if ((flags & kSwpNoMove) == 0) widget->move(x, y);
  return true;
}

ScreenMetrics QtWindowSystem::screen_metrics(WindowHandle window) {
  const QWidget* widget = widget_of(window);
  const QScreen* screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QSize size = screen->geometry().size();
  return {static_cast<float>(size.width()) * kTwipsPerPixel,
          static_cast<float>(size.height()) * kTwipsPerPixel, kTwipsPerPixel, kTwipsPerPixel};
}

}  // namespace velmora
