#include "workflow/language.h"

#include <QTranslator>

namespace torbex::workflow {

std::optional<Language> languageNamed(const QString& name) {
    const QString code = name.trimmed().toLower();
    if (code == u"ja") return Language::Japanese;
    if (code == u"en") return Language::English;
    return std::nullopt;
}

QString languageCode(Language language) { return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja"); }

LanguageChoice chooseLanguage(const std::optional<QString>& commandLine, const QString& configured, const QLocale& system) {
    LanguageChoice choice;
    const auto asked = [&choice](const QString& value, const QString& where) -> std::optional<Language> {
        const std::optional<Language> language = languageNamed(value);
        if (!language && choice.problem.isEmpty())
            choice.problem = QStringLiteral("%1 %2 names no language (ja or en)").arg(where, value.trimmed());
        return language;
    };
    if (commandLine) {
        if (const auto language = asked(*commandLine, QStringLiteral("--lang"))) return {*language, {}};
    }
    if (!configured.trimmed().isEmpty()) {
        if (const auto language = asked(configured, QStringLiteral("torbex.conf [ui] language="))) {
            choice.language = *language;
            return choice;
        }
    }
    choice.language = system.language() == QLocale::English ? Language::English : Language::Japanese;
    return choice;
}

bool installProgramTexts(QCoreApplication& app, Language language) {
    if (language == Language::Japanese) return true;
    auto* texts = new QTranslator(&app);
    if (texts->load(QStringLiteral(":/i18n/torbex_") + languageCode(language)) && QCoreApplication::installTranslator(texts))
        return true;
    delete texts;
    return false;
}

}  // namespace torbex::workflow
