#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <optional>

namespace torbex::workflow {

// The interface's language. Japanese is the language the program is written in; data files,
// exports and the tool's output never change with it.
enum class Language { Japanese, English };

// "ja" or "en", in any case and with spaces around; nullopt for anything else.
std::optional<Language> languageNamed(const QString& name);
QString languageCode(Language language);

struct LanguageChoice {
    Language language = Language::Japanese;
    QString problem;  // a value that named no language, passed over; empty when none was
};

// --lang when given, else "[ui] language=" of torbex.conf, else English where the system's locale
// is an English one and Japanese everywhere else, the C and POSIX locales included.
LanguageChoice chooseLanguage(const std::optional<QString>& commandLine, const QString& configured, const QLocale& system);

// Gives the application this program's own texts in `language`: window, messages and printed
// reports. Japanese, the language they are written in, needs none. False when the English texts
// are missing from the build.
bool installProgramTexts(QCoreApplication& app, Language language);

}  // namespace torbex::workflow
