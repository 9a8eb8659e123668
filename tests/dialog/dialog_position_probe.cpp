// Shows the centred Open dialog twice on the real display, owned by a small
// window, for check_dialog_position.sh to look at from outside:
//
//   dialog_position_probe screen|owner
//
// The owner window is titled "velmora-owner". Whenever a dialog is on the
// screen, prints "shown <x> <y> <width> <height> name='<name box>'" as Qt
// sees its frame; after each call prints "result <n> ok <length> <path>" or
// "result <n> cancelled <buffer capacity>". Exits 0, or 1 on an error.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>

#include "dialog/centered_open_dialog.h"
#include "dialog/qt_window_system.h"
#include "runtime/text_codec.h"

int main(int argc, char** argv) {
  if (argc != 2 || (std::strcmp(argv[1], "screen") != 0 && std::strcmp(argv[1], "owner") != 0)) {
    std::fprintf(stderr, "usage: dialog_position_probe screen|owner\n");
    return 2;
  }
  const bool on_owner = std::strcmp(argv[1], "owner") == 0;
  QApplication app(argc, argv);
  velmora::QtWindowSystem windows;
  velmora::CenteredOpenDialog dialog(windows);

  QWidget owner;
  owner.setWindowTitle(QStringLiteral("velmora-owner"));
  // Centring on the owner: near the bottom-right corner, so the dialog runs
  // past the screen's edges.
  owner.setGeometry(on_owner ? QRect(820, 640, 181, 101) : QRect(40, 30, 160, 90));
  owner.show();

  QObject* last_reported = nullptr;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QFileDialog* shown = windows.running_dialog();
    if (shown == nullptr || !shown->isVisible() || shown == last_reported) return;
    last_reported = shown;
    const QRect frame = shown->frameGeometry();
    const auto* name_box = shown->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    std::printf("shown %d %d %d %d name='%s'\n", frame.x(), frame.y(), frame.width(),
                frame.height(), name_box ? name_box->text().toUtf8().constData() : "?");
    std::fflush(stdout);
  });
  watch.start(20);

  try {
    for (int call = 1; call <= 2; ++call) {
      const std::u16string buffer =
          dialog.open_file_dialog(windows.handle_of(&owner), on_owner ? -1 : 0);
      last_reported = nullptr;
      if (buffer.empty()) {
        std::printf("result %d cancelled %zu\n", call, dialog.record().lpstrFile.size());
      } else {
        std::printf("result %d ok %zu %s\n", call, buffer.size(),
                    velmora::to_utf8(velmora::path_before_nul(buffer)).c_str());
      }
      std::fflush(stdout);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "error: %s\n", error.what());
    return 1;
  }
  return 0;
}
