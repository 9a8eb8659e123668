#include "dialog/qt_window_system.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QMessageBox>
#include <QTimer>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "dialog/centered_open_dialog.h"
#include "runtime/text_codec.h"

namespace velmora {

// Lets QCOMPARE show both rectangles.
char* toString(const Rect& rect) {
  return QTest::toString(QStringLiteral("(%1,%2)-(%3,%4)")
                             .arg(rect.left)
                             .arg(rect.top)
                             .arg(rect.right)
                             .arg(rect.bottom));
}

namespace {

struct HookCall {
  std::int32_t code;
  std::int32_t window;
};

// What a person saw of one dialog: where it stood when it appeared and what
// its name box held.
struct SeenDialog {
  bool seen = false;
  bool timed_out = false;
  QRect frame;
  QString name_box;
  QString directory;
  QWidget* parent = nullptr;
};

// Answers the next dialog of `windows` once it is on the screen: notes what
// it shows in `seen`, then lets `answer` close it. A dialog still open ten
// seconds later is cancelled and marked, so a test never hangs. Lives on the
// test's stack: it stops watching when the test ends.
class DialogAnswer {
 public:
  DialogAnswer(QtWindowSystem& windows, std::function<void(QFileDialog&)> answer) {
    clock_.start();
    poll_.setInterval(10);
    QObject::connect(&poll_, &QTimer::timeout, [this, &windows, answer] {
      QFileDialog* dialog = windows.running_dialog();
      if (dialog == nullptr) return;
      if (dialog->isVisible() && !seen.seen) {
        seen.seen = true;
        seen.frame = dialog->frameGeometry();
        const auto* name_box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        seen.name_box = name_box != nullptr ? name_box->text() : QStringLiteral("<no name box>");
        seen.directory = dialog->directory().absolutePath();
        seen.parent = dialog->parentWidget();
        answer(*dialog);
      } else if (clock_.elapsed() > 10000) {
        seen.timed_out = true;
        dialog->reject();
      }
    });
    poll_.start();
  }

  SeenDialog seen;

 private:
  QTimer poll_;
  QElapsedTimer clock_;
};

// Types the full path into the name box and presses Open.
void choose(QFileDialog& dialog, const QString& path) {
  auto* name_box = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  QVERIFY(name_box != nullptr);
  name_box->setText(path);
  static_cast<QDialog&>(dialog).accept();  // as the Open button does
}

// Nearest integer, halves to even: the rounding the platform's conversion
// does, computed here with the C library's default rounding mode.
int nearest(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

class QtWindowSystemTest : public QObject {
  Q_OBJECT

 private slots:
  void handles_name_living_windows();
  void rectangle_and_move();
  void screen_metrics_in_twips();
  void hook_fires_for_windows_shown_or_activated();
  void hook_refused_for_other_kinds_and_threads();
  void hook_may_remove_itself();
  void dialog_centred_on_screen_and_remembers_the_path();
  void dialog_centred_on_owner();
  void path_longer_than_the_buffer_fails();
  void path_the_code_page_cannot_spell_is_refused();
  void hook_error_closes_the_dialog_and_is_raised();
};

void QtWindowSystemTest::handles_name_living_windows() {
  QtWindowSystem windows;
  QCOMPARE(windows.handle_of(nullptr), 0);
  auto* first = new QWidget;
  QWidget second;
  const WindowHandle a = windows.handle_of(first);
  const WindowHandle b = windows.handle_of(&second);
  QVERIFY(a != 0);
  QVERIFY(b != 0);
  QVERIFY(a != b);
  QCOMPARE(windows.handle_of(first), a);
  QCOMPARE(windows.widget_of(a), first);
  QCOMPARE(windows.widget_of(b), &second);
  QCOMPARE(windows.get_window_long(a, kGwlHinstance), kModuleInstance);
  QCOMPARE(windows.get_window_long(a, -16), 0);

  delete first;
  QCOMPARE(windows.widget_of(a), nullptr);
  QCOMPARE(windows.get_window_long(a, kGwlHinstance), 0);
  QCOMPARE(windows.widget_of(b), &second);
  for (const WindowHandle unknown : {a, 0, -1, 999}) {
    Rect rect{1, 2, 3, 4};
    QVERIFY(!windows.get_window_rect(unknown, rect));
    QCOMPARE(rect, (Rect{1, 2, 3, 4}));
    QVERIFY(!windows.set_window_pos(unknown, 0, 5, 5, 0, 0, 0x15));
  }
}

void QtWindowSystemTest::rectangle_and_move() {
  QtWindowSystem windows;
  QWidget window;
  window.resize(300, 200);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  const WindowHandle handle = windows.handle_of(&window);

  // The offscreen platform draws a frame of its own: the rectangle is the
  // frame's, and the move places the frame, not the client area.
  const QSize frame = window.frameGeometry().size();
  const QPoint client_offset = window.geometry().topLeft() - window.frameGeometry().topLeft();

  QVERIFY(windows.set_window_pos(handle, 0, 40, 50, 0, 0, 0x15));
  Rect rect;
  QVERIFY(windows.get_window_rect(handle, rect));
  QCOMPARE(rect, (Rect{40, 50, 40 + frame.width(), 50 + frame.height()}));
  QCOMPARE(window.geometry().topLeft(), QPoint(40, 50) + client_offset);
  QCOMPARE(window.size(), QSize(300, 200));

  QVERIFY(windows.set_window_pos(handle, 0, -70, -20, 0, 0, 0x15));  // not clamped
  QVERIFY(windows.get_window_rect(handle, rect));
  QCOMPARE(rect, (Rect{-70, -20, -70 + frame.width(), -20 + frame.height()}));

  QVERIFY(windows.set_window_pos(handle, 0, 0, 0, 120, 90, kSwpNoMove | kSwpNoZorder));
  QCOMPARE(window.size(), QSize(120, 90));
  QVERIFY(windows.get_window_rect(handle, rect));
  QCOMPARE(rect.left, -70);
  QCOMPARE(rect.top, -20);
}

void QtWindowSystemTest::screen_metrics_in_twips() {
  QtWindowSystem windows;
  QWidget window;
  const QSize size = window.screen()->geometry().size();
  for (const WindowHandle handle : {windows.handle_of(&window), 0}) {
    const ScreenMetrics screen = windows.screen_metrics(handle);
    QCOMPARE(screen.width_twips, static_cast<float>(size.width() * 15));
    QCOMPARE(screen.height_twips, static_cast<float>(size.height() * 15));
    QCOMPARE(screen.twips_per_pixel_x, 15.0f);
    QCOMPARE(screen.twips_per_pixel_y, 15.0f);
  }
}

void QtWindowSystemTest::hook_fires_for_windows_shown_or_activated() {
  QtWindowSystem windows;
  std::vector<HookCall> calls;
  const HookHandle hook = windows.set_windows_hook_ex(
      kWhCbt,
      [&calls](std::int32_t code, std::int32_t window, std::int32_t) {
        calls.push_back({code, window});
        return 0;
      },
      kModuleInstance, windows.get_current_thread_id());
  QVERIFY(hook != 0);
  QCOMPARE(windows.hook_count(), 1u);

  QWidget tooltip(nullptr, Qt::ToolTip);
  tooltip.show();
  QCOMPARE(calls.size(), 0u);

  QWidget window;
  auto* child = new QWidget(&window);
  child->resize(10, 10);
  window.show();  // shows the child too, which is no window
  QVERIFY(!calls.empty());
  QCOMPARE(calls.front().code, kHcbtActivate);
  QCOMPARE(calls.front().window, windows.handle_of(&window));
  for (const HookCall& call : calls) QCOMPARE(call.window, windows.handle_of(&window));

  QVERIFY(windows.unhook_windows_hook_ex(hook));
  QCOMPARE(windows.hook_count(), 0u);
  QVERIFY(!windows.unhook_windows_hook_ex(hook));
  const std::size_t before = calls.size();
  QWidget later;
  later.show();
  later.activateWindow();
  QApplication::processEvents();
  QCOMPARE(calls.size(), before);
}

void QtWindowSystemTest::hook_refused_for_other_kinds_and_threads() {
  QtWindowSystem windows;
  const auto procedure = [](std::int32_t, std::int32_t, std::int32_t) { return 0; };
  const std::int32_t thread = windows.get_current_thread_id();
  QCOMPARE(windows.set_windows_hook_ex(2, procedure, kModuleInstance, thread), 0);
  QCOMPARE(windows.set_windows_hook_ex(kWhCbt, procedure, kModuleInstance, thread + 1), 0);
  QCOMPARE(windows.set_windows_hook_ex(kWhCbt, HookProcedure(), kModuleInstance, thread), 0);
  QCOMPARE(windows.hook_count(), 0u);
}

void QtWindowSystemTest::hook_may_remove_itself() {
  QtWindowSystem windows;
  HookHandle hook = 0;
  int calls = 0;
  hook = windows.set_windows_hook_ex(
      kWhCbt,
      [&](std::int32_t, std::int32_t, std::int32_t) {
        ++calls;
        windows.unhook_windows_hook_ex(hook);
        return 0;
      },
      kModuleInstance, windows.get_current_thread_id());
  QWidget first;
  first.show();
  QWidget second;
  second.show();
  QApplication::processEvents();
  QCOMPARE(calls, 1);
  QCOMPARE(windows.hook_count(), 0u);
}

void QtWindowSystemTest::dialog_centred_on_screen_and_remembers_the_path() {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("стих.txt"));
  QFile(path).open(QIODevice::WriteOnly);

  QtWindowSystem windows;
  CenteredOpenDialog dialog(windows);
  QWidget owner;
  owner.setGeometry(10, 10, 120, 80);
  owner.show();
  QVERIFY(QTest::qWaitForWindowExposed(&owner));
  const QSize screen = owner.screen()->geometry().size();

  DialogAnswer answer_first(windows, [&path](QFileDialog& d) { choose(d, path); });
  const SeenDialog& first = answer_first.seen;
  const std::u16string result = dialog.open_file_dialog(windows.handle_of(&owner), 0);
  QVERIFY(first.seen);
  QVERIFY(!first.timed_out);
  QCOMPARE(first.parent, &owner);
  QCOMPARE(first.name_box, QString());  // 2047 blanks show as nothing
  QCOMPARE(first.frame.topLeft(), QPoint(nearest((screen.width() - first.frame.width()) / 2.0),
                                         nearest((screen.height() - first.frame.height()) / 2.0)));
  QCOMPARE(result.size(), 2048u);
  QCOMPARE(QString::fromStdU16String(path_before_nul(result)), QDir::toNativeSeparators(path));
  const OpenFileName& record = dialog.record();
  const std::size_t name_at = static_cast<std::size_t>(path.size()) - 8;
  QCOMPARE(record.nFileOffset, name_at);
  QCOMPARE(record.nFileExtension, name_at + 5);
  QCOMPARE(QString::fromStdU16String(path_before_nul(record.lpstrFileTitle)),
           QStringLiteral("стих.txt"));
  QCOMPARE(windows.hook_count(), 0u);

  DialogAnswer answer_second(windows, [](QFileDialog& d) { d.reject(); });
  const SeenDialog& second = answer_second.seen;
  QCOMPARE(dialog.open_file_dialog(windows.handle_of(&owner), 1), std::u16string());
  QVERIFY(second.seen);
  QVERIFY(!second.timed_out);
  QCOMPARE(second.name_box, QStringLiteral("стих.txt"));
  QCOMPARE(second.directory, QDir(folder.path()).absolutePath());
  QCOMPARE(dialog.record().lpstrFile.size(), 4096u);
  QCOMPARE(windows.hook_count(), 0u);
}

void QtWindowSystemTest::dialog_centred_on_owner() {
  QtWindowSystem windows;
  CenteredOpenDialog dialog(windows);
  QWidget owner;
  owner.setGeometry(100, 50, 601, 401);
  owner.show();
  QVERIFY(QTest::qWaitForWindowExposed(&owner));
  const QRect o = owner.frameGeometry();

  DialogAnswer answer(windows, [](QFileDialog& d) { d.reject(); });
  const SeenDialog& seen = answer.seen;
  QCOMPARE(dialog.open_file_dialog(windows.handle_of(&owner), -1), std::u16string());
  QVERIFY(seen.seen);
  QVERIFY(!seen.timed_out);
  QCOMPARE(seen.frame.topLeft(),
           QPoint(nearest(o.width() / 2.0 + o.x() - seen.frame.width() / 2.0),
                  nearest(o.height() / 2.0 + o.y() - seen.frame.height() / 2.0)));
}

void QtWindowSystemTest::path_longer_than_the_buffer_fails() {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("a.txt"));
  QFile(path).open(QIODevice::WriteOnly);
  QtWindowSystem windows;
  AnsiOpenFileName record;
  record.nMaxFile = 5;
  record.lpstrFile = std::string("    \0", 5);
  DialogAnswer answer(windows, [&path](QFileDialog& d) { choose(d, path); });
  const SeenDialog& seen = answer.seen;
  QCOMPARE(windows.get_open_file_name(record), 0);
  QVERIFY(seen.seen);
  QVERIFY(!seen.timed_out);
  QCOMPARE(record.lpstrFile, std::string("    \0", 5));
}

// A name outside Windows-1251 would reach the program as question marks:
// the dialog says so and stays open for another choice.
void QtWindowSystemTest::path_the_code_page_cannot_spell_is_refused() {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("café.txt"));
  QFile(path).open(QIODevice::WriteOnly);
  QtWindowSystem windows;
  AnsiOpenFileName record;
  record.nMaxFile = 2048;
  record.lpstrFile = std::string(2047, ' ') + '\0';

  // Choose the file; answer the warning; cancel the dialog that comes back.
  enum class Step { choose, warning, cancel, done } step = Step::choose;
  QString warning;
  QElapsedTimer clock;
  clock.start();
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QFileDialog* dialog = windows.running_dialog();
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (clock.elapsed() > 10000 && dialog != nullptr) {
      if (box != nullptr) box->accept();
      dialog->reject();  // timed out: the checks below fail
    } else if (step == Step::choose && dialog != nullptr && dialog->isVisible()) {
      step = Step::warning;
      choose(*dialog, path);
    } else if (step == Step::warning && box != nullptr && box->isVisible()) {
      warning = box->text();
      step = Step::cancel;
      box->accept();
    } else if (step == Step::cancel && dialog != nullptr && dialog->isVisible() &&
               QApplication::activeModalWidget() == dialog) {
      step = Step::done;
      dialog->reject();
    }
  });
  poll.start();

  QCOMPARE(windows.get_open_file_name(record), 0);
  QCOMPARE(step, Step::done);
  QVERIFY2(warning.contains(QStringLiteral("Windows-1251")), qPrintable(warning));
  QCOMPARE(record.lpstrFile, std::string(2047, ' ') + '\0');
}

void QtWindowSystemTest::hook_error_closes_the_dialog_and_is_raised() {
  QtWindowSystem windows;
  int calls = 0;
  windows.set_windows_hook_ex(
      kWhCbt,
      [&calls](std::int32_t, std::int32_t, std::int32_t) -> std::int32_t {
        ++calls;
        throw std::runtime_error("hook failed");
      },
      kModuleInstance, windows.get_current_thread_id());
  AnsiOpenFileName record;
  record.nMaxFile = 2048;
  record.lpstrFile = std::string(2047, ' ') + '\0';
  QTimer safety;  // should the dialog stay open, cancel it and fail below
  bool had_to_cancel = false;
  QObject::connect(&safety, &QTimer::timeout, [&] {
    if (QFileDialog* d = windows.running_dialog()) {
      had_to_cancel = true;
      d->reject();
    }
  });
  safety.start(5000);
  QVERIFY_THROWS_EXCEPTION(std::runtime_error, windows.get_open_file_name(record));
  QVERIFY(!had_to_cancel);
  QCOMPARE(calls, 1);  // a failed hook is called no more
  QCOMPARE(windows.running_dialog(), nullptr);
}

}  // namespace velmora

QTEST_MAIN(velmora::QtWindowSystemTest)
#include "qt_window_system_test.moc"
