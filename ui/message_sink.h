#pragma once

#include <QString>

class QWidget;

namespace velmora {

// The icon of a message box: `none` for a plain box, `exclamation` for a
// warning, `critical` for a failed command.
enum class MessageIcon { none, exclamation, critical };

// Where the window's message boxes go. Every box the program shows has one
// OK button and returns once the user has closed it, so showing one is a
// single call. The window never builds a QMessageBox itself: tests put a
// recording sink here and never meet a modal box.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void show_message(const QString& title, const QString& text, MessageIcon icon) = 0;
};

// The real boxes: a modal QMessageBox with an OK button only, over `owner`
// when it is set and shown, else on its own (as at start-up, before the
// window exists on screen).
class QtMessageSink : public MessageSink {
 public:
  explicit QtMessageSink(QWidget* owner = nullptr) : owner_(owner) {}
  void set_owner(QWidget* owner) { owner_ = owner; }
  void show_message(const QString& title, const QString& text, MessageIcon icon) override;

 private:
  QWidget* owner_;
};

}  // namespace velmora
