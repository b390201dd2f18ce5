#pragma once

#include <QApplication>
#include <QStringList>
#include <optional>

#include "link/clock.h"
#include "history/history_store.h"
#include "link/hid_transport.h"

namespace torbex::app {

// What the program takes from its command line before its own arguments: "--lang ja|en" (or
// "--lang=en"), the interface language.
struct LaunchOptions {
    std::optional<QString> language;
    QStringList rest;  // the other arguments, the program's name first
};
LaunchOptions launchOptions(const QStringList& arguments);

// Application-wide set-up shared by the program and the demo: style, font, names, the interface
// language and the code page check. False (after telling the operator) when the program cannot run here.
bool prepareApplication(QApplication& app);

// Where a window of the given size sits centred in the screen's available area, its top-left
// corner kept on the screen.
QPoint centredPosition(const QRect& available, const QSize& window);

// Sizes the main window for the primary screen, with scroll bars where the screen is smaller than
// its layout, and centres it there.
void fitToScreen(QWidget& window);

// Shows the main window over the given transport and runs until the program ends. The history
// is kept where torbex.conf or TORBEX_DATABASE says, unless `history` names another database.
int runMainWindow(QApplication& app, link::HidTransport& transport, const link::MonotonicClock& clock,
                  std::optional<history::DatabaseTarget> history = std::nullopt);

}  // namespace torbex::app
