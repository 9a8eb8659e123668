#pragma once

// Shared by the window's tests: a message sink that records instead of
// showing, and an executable folder in a temporary directory with a
// dictionary folder made to order.

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/text_codec.h"
#include "ui/form1.h"
#include "ui/message_sink.h"

namespace velmora::test {

struct ShownMessage {
  QString title;
  QString text;
  MessageIcon icon;
};

class RecordingMessageSink : public MessageSink {
 public:
  void show_message(const QString& title, const QString& text, MessageIcon icon) override {
    shown.push_back({title, text, icon});
  }
  std::vector<ShownMessage> shown;
};

// A folder that plays the executable's folder. dict() is the dictionary
// folder beside it, created on demand.
class ExecutableFolder {
 public:
  std::filesystem::path path() const { return dir_.path().toStdString(); }
  std::filesystem::path dict() const { return path() / "dict"; }
  std::string dict_path() const { return dict().string() + "/"; }

  void make_dict() const { std::filesystem::create_directories(dict()); }

  // Writes a dictionary file in Windows-1251, one entry a line, CR LF.
  void write_dictionary(const std::string& name, const std::vector<std::u16string>& lines) const {
    make_dict();
    std::ofstream out(dict() / name, std::ios::binary);
    for (const std::u16string& line : lines) out << encode_cp1251(line) << "\r\n";
  }

 private:
  QTemporaryDir dir_;
};

// Types `text` into the widget one key at a time. Unlike QTest::keyClicks it
// takes any letter, Cyrillic included.
inline void type_text(QWidget* widget, const QString& text) {
  for (const QChar letter : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(letter), Qt::NoModifier);
  }
}

template <class T = QWidget>
T* control(const QWidget& form, const char* name) {
  return form.findChild<T*>(QString::fromLatin1(name));
}

}  // namespace velmora::test
