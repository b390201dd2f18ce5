#include "app/program.h"

#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

#include "app/frm_main.h"
#include "app/message_box_dialogs.h"
#include "app/operator_texts.h"
#include "app/translations.h"
#include "app/window_fonts.h"
#include "app/window_placement.h"
#include "app/window_style.h"
#include "data/cp932.h"

namespace torbex::app {

namespace {

SettingsFolders settingsFolders() {
    return {QApplication::applicationDirPath(), QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
}

}  // namespace

LaunchOptions launchOptions(const QStringList& arguments) {
    LaunchOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (i > 0 && arguments[i] == u"--lang" && i + 1 < arguments.size()) options.language = arguments[++i];
        else if (i > 0 && arguments[i].startsWith(u"--lang=")) options.language = arguments[i].mid(7);
        else options.rest << arguments[i];
    }
    return options;
}

bool prepareApplication(QApplication& app) {
    // No display name: Qt would append it to every window title, and the main window's title and
    // the message boxes' titles are the program's own, exactly as they stand.
    QApplication::setApplicationName(QStringLiteral("torbex"));
    QApplication::setStyle(windowStyle());
    QApplication::setFont(controlFont());
    const SettingsFolders folders = settingsFolders();
    const workflow::LanguageChoice language =
        workflow::chooseLanguage(launchOptions(QApplication::arguments()).language,
                                 history::configuredLanguage({folders.programFolder, folders.configFolder}), QLocale::system());
    if (!language.problem.isEmpty()) std::fprintf(stderr, "torbex: %s\n", qPrintable(language.problem));
    if (!installTranslations(app, language.language))
        std::fprintf(stderr, "torbex: Qt's translations are not installed; standard buttons stay in English\n");
    if (!workflow::installProgramTexts(app, language.language))
        std::fprintf(stderr, "torbex: this build lacks the English texts; the window stays in Japanese\n");

    if (!data::cp932Available()) {
        // Without the code page every file would be garbled; refuse to start.
        std::fprintf(stderr, "torbex: the CP932 text codec is not available (Qt without ICU)\n");
        QMessageBox box(QMessageBox::NoIcon, texts::kError, texts::kCodecMissing, QMessageBox::Ok);
        box.exec();
        return false;
    }
    return true;
}

QPoint centredPosition(const QRect& available, const QSize& window) {
    QPoint position = available.topLeft() +
                      QPoint((available.width() - window.width()) / 2, (available.height() - window.height()) / 2);
    // On a screen too small for the window its title bar stays in reach.
    position.setX(std::max(position.x(), available.left()));
    position.setY(std::max(position.y(), available.top()));
    return position;
}

void fitToScreen(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    // A screen smaller than the window gets a window that fits it, with scroll bars beside the layout.
    const QSize room = screen->availableGeometry().marginsRemoved(kFrameAllowance).size();
    const int bar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize size = window.size();
    if (size.height() > room.height()) size.rwidth() += bar;
    if (size.width() > room.width()) size.rheight() += bar;
    window.resize(size.boundedTo(room));
    window.move(centredPosition(screen->availableGeometry(), window.frameGeometry().size()));
}

int runMainWindow(QApplication& app, link::HidTransport& transport, const link::MonotonicClock& clock,
                  std::optional<history::DatabaseTarget> history) {
    link::QtEventPump events;
    MessageBoxDialogs dialogs;
    const SettingsFolders folders = settingsFolders();
    const QStringList settingsFolders{folders.programFolder, folders.configFolder};
    const history::InspectionInterval interval = history::inspectionIntervalMonths(settingsFolders);
    frmMain window({transport, clock, events, dialogs, folders, &QDateTime::currentDateTime, true,
                    history ? *history : history::chooseDatabase(settingsFolders), interval.months});
    dialogs.setParent(&window);
    if (!window.Form_Load()) return 1;
    if (!interval.problem.isEmpty()) dialogs.showMessage(texts::kError, texts::intervalUnusable(interval.problem));
    fitToScreen(window);
    window.show();
    return app.exec();
}

}  // namespace torbex::app
