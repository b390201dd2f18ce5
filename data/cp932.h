#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace torbex::data {

// Text files (Setting.ini, CSV data files) are in the Japanese Windows code page 932.
// The codec comes from Qt's ICU support; the program refuses to start without it.
bool cp932Available();

// nullopt when a character has no code in the code page (the text would be garbled).
std::optional<QByteArray> encodeCp932(const QString& text);
// nullopt when the bytes are not valid code page 932.
std::optional<QString> decodeCp932(const QByteArray& bytes);

}  // namespace torbex::data
