#include "event_pump.h"

#include <QCoreApplication>

namespace torbex::link {

void QtEventPump::processPendingEvents() {
    if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

}  // namespace torbex::link
