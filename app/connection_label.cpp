#include "app/connection_label.h"
#include "data/ui_text.h"

namespace torbex::app {

using commands::ConnectionState;

QString connectionCaption(ConnectionState state) {
    switch (state) {
        case ConnectionState::Connected: return Texts::tr("接続中");
        case ConnectionState::NotConnected: return Texts::tr("未接続");
        case ConnectionState::Communicating: return Texts::tr("通信中");
        case ConnectionState::Unknown: break;
    }
    return QString();
}

QColor connectionColour(ConnectionState state) {
    switch (state) {
        case ConnectionState::Connected: return QColor(0x00, 0xFF, 0x00);
        case ConnectionState::NotConnected: return QColor(0xFF, 0xFF, 0x00);
        case ConnectionState::Communicating: return QColor(0x00, 0xFF, 0xFF);
        case ConnectionState::Unknown: break;
    }
    return QColor(0xC0, 0xC0, 0xC0);
}

}  // namespace torbex::app
