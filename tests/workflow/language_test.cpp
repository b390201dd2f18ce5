// Which language the interface speaks: the command line, then torbex.conf, then the system.
#include <gtest/gtest.h>

#include "workflow/language.h"

namespace torbex::workflow {
namespace {

TEST(Language, ChosenOutOfOrderOrAnUnknownNameTakenOrUnmentioned) {
    struct Case {
        std::optional<QString> commandLine;
        const char* conf;
        const char* locale;
        Language expected;
        bool problem;
    };
    const Case cases[] = {
        {std::nullopt, "", "en_US", Language::English, false},   {std::nullopt, "", "en_GB", Language::English, false},
        {std::nullopt, "", "ja_JP", Language::Japanese, false},  {std::nullopt, "", "C", Language::Japanese, false},
        {std::nullopt, "", "de_DE", Language::Japanese, false},  {std::nullopt, " EN ", "ja_JP", Language::English, false},
        {std::nullopt, "ja", "en_US", Language::Japanese, false}, {QStringLiteral("en"), "ja", "ja_JP", Language::English, false},
        {QStringLiteral("Ja"), "en", "en_US", Language::Japanese, false},
        {QStringLiteral("fr"), "en", "ja_JP", Language::English, true},  // passed over for the next in line
        {QStringLiteral("fr"), "", "en_US", Language::English, true},
        {std::nullopt, "klingon", "en_US", Language::English, true},
    };
    for (const Case& c : cases) {
        const LanguageChoice choice = chooseLanguage(c.commandLine, QString::fromUtf8(c.conf), QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(std::pair(choice.language, choice.problem.isEmpty()), std::pair(c.expected, !c.problem))
            << c.commandLine.value_or(QStringLiteral("-")).toStdString() << ' ' << c.conf << ' ' << c.locale;
    }
    EXPECT_EQ(chooseLanguage(QStringLiteral("fr"), {}, QLocale::c()).problem, QStringLiteral("--lang fr names no language (ja or en)"));
}

}  // namespace
}  // namespace torbex::workflow
