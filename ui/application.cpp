#include "ui/application.h"

#include <QApplication>

#include "runtime/directory.h"
#include "ui/form1.h"
#include "ui/message_sink.h"

namespace velmora {

int run_application(int& argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("velmora"));
  QtMessageSink messages;
  Form1 form(messages);
  messages.set_owner(&form);
  if (!form.start(executable_folder())) return 1;
  return QApplication::exec();
}

}  // namespace velmora
