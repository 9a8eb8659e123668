#include "ui/message_sink.h"

#include <QMessageBox>
#include <QWidget>

namespace velmora {

void QtMessageSink::show_message(const QString& title, const QString& text, MessageIcon icon) {
  QWidget* parent = owner_ != nullptr && owner_->isVisible() ? owner_ : nullptr;
  QMessageBox::Icon box_icon = QMessageBox::NoIcon;
  switch (icon) {
    case MessageIcon::none:
      box_icon = QMessageBox::NoIcon;
      break;
    case MessageIcon::exclamation:
      box_icon = QMessageBox::Warning;
      break;
    case MessageIcon::critical:
      box_icon = QMessageBox::Critical;
      break;
  }
  QMessageBox box(box_icon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace velmora
