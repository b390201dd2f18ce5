#include "app/translations.h"

#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace torbex::app {

bool installTranslations(QCoreApplication& app, workflow::Language language) {
    if (language == workflow::Language::English) return true;  // Qt's own texts are English
    const QString name = QStringLiteral("qtbase_") + workflow::languageCode(language);
    auto* qt = new QTranslator(&app);
    for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                  QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))}) {
        if (qt->load(name, folder)) return QCoreApplication::installTranslator(qt);
    }
    delete qt;
    return false;
}

}  // namespace torbex::app
