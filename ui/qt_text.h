#pragma once

#include <QString>
#include <string>
#include <string_view>

// The one place where the core's text meets Qt's. The core holds words as
// UTF-16 (std::u16string), messages as UTF-8 and file names as the system's
// bytes; the window holds QString. Nothing else in the window converts.
namespace velmora {

QString to_qstring(std::u16string_view text);
std::u16string to_u16string(const QString& text);

// A UTF-8 message of the core, e.g. describe(error).
QString message_to_qstring(std::string_view utf8);

// A file name as the file system gives it (bytes, no folder), for showing.
QString file_name_to_qstring(const std::string& name);

}  // namespace velmora
