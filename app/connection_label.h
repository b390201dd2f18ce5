#pragma once

#include <QColor>
#include <QString>

#include "commands/poll_tick.h"
#include "data/ui_text.h"

namespace torbex::app {

// Label1's caption and back colour for each state of the connection.
QString connectionCaption(commands::ConnectionState state);
QColor connectionColour(commands::ConnectionState state);

// lblSN: the bare prefix until the serial number is read, then the prefix, a space and the number.
inline constexpr UiText kSerialBannerPrefix{QT_TRANSLATE_NOOP("Texts", "　トルベックス　s/n")};
inline QString serialBanner(const QString& serialNumber) { return Texts::tr("%1　%2").arg(kSerialBannerPrefix, serialNumber); }

}  // namespace torbex::app
