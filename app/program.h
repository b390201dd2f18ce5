#pragma once

#include <QApplication>

#include "link/clock.h"
#include "link/hid_transport.h"

namespace torbex::app {

// Application-wide set-up shared by the program and the demo: style, font, names, and the
// code page check. False (after telling the operator) when the program cannot run here.
bool prepareApplication(QApplication& app);

// Shows the main window over the given transport and runs until the program ends.
int runMainWindow(QApplication& app, link::HidTransport& transport, const link::MonotonicClock& clock);

}  // namespace torbex::app
