#include "ui/qt_text.h"

#include <QFile>

namespace velmora {

QString to_qstring(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string to_u16string(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                        static_cast<std::size_t>(text.size()));
}

QString message_to_qstring(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString file_name_to_qstring(const std::string& name) {
  return QFile::decodeName(QByteArray::fromStdString(name));
}

}  // namespace velmora
