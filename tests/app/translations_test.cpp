// The standard buttons and dialogs speak the interface's language.
#include <QtWidgets>
#include <gtest/gtest.h>

#include "app/program.h"
#include "app/translations.h"

namespace torbex::app {
namespace {

TEST(Translations, StandardButtonsLeftInEnglishOrLanguageOptionTakenForAnArgument) {
    ASSERT_TRUE(installTranslations(*QCoreApplication::instance(), workflow::Language::Japanese));
    const QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes | QDialogButtonBox::No);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }

    const LaunchOptions options = launchOptions({QStringLiteral("torbex-demo"), QStringLiteral("--lang"), QStringLiteral("en"),
                                                 QStringLiteral("my.json"), QStringLiteral("--lang=ja")});
    EXPECT_EQ(options.language, QStringLiteral("ja"));
    EXPECT_EQ(options.rest, (QStringList{QStringLiteral("torbex-demo"), QStringLiteral("my.json")}));
    EXPECT_EQ(launchOptions({QStringLiteral("torbex"), QStringLiteral("--lang")}).rest.size(), 2);  // no value: left for the program
}

}  // namespace
}  // namespace torbex::app
