// The management number editor and the rules an entry must meet.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/frm_edit.h"
#include "app/management_number.h"
#include "app/support/scripted_dialogs.h"

namespace torbex::app {
namespace {

constexpr int kUnset = 42;

TEST(FrmEditTest, RefusedEntryStaysOpenForCorrectionEnterConfirmsAndCancelRejects) {
    testing::ScriptedDialogs dialogs;
    frmEdit edit{dialogs};
    edit.show();
    edit.setResult(kUnset);
    edit.setEntry(QStringLiteral("=1+1"));
    edit.CmdEdit[0]->click();
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(dialogs.shown[0].text, kManagementNumberFormulaMessage);
    QTest::keyClick(edit.txtEdit[0], Qt::Key_Enter);
    EXPECT_EQ(dialogs.shown.size(), 2U);
    EXPECT_EQ(edit.result(), kUnset);
    EXPECT_TRUE(edit.isVisible());
    EXPECT_EQ(edit.entry(), QStringLiteral("=1+1"));

    for (const Qt::Key key : {Qt::Key_Enter, Qt::Key_Return}) {
        edit.show();
        edit.setResult(kUnset);
        edit.setEntry(QStringLiteral("A-001"));
        QTest::keyClick(edit.txtEdit[0], key);
        EXPECT_EQ(edit.result(), QDialog::Accepted) << key;
        EXPECT_FALSE(edit.isVisible());
    }
    edit.show();
    edit.setEntry(QStringLiteral("A,1"));  // cancel does not judge the entry
    edit.CmdEdit[1]->click();
    EXPECT_EQ(edit.result(), QDialog::Rejected);
    EXPECT_FALSE(edit.isVisible());
    EXPECT_EQ(dialogs.shown.size(), 2U);
}

TEST(ManagementNumberTest, EntriesThatWouldBreakTheDataFileOrRunAsAFormulaAreRefused) {
    const std::optional<QString> fine;
    const std::pair<QString, std::optional<QString>> cases[] = {
        {QStringLiteral("A,1"), kManagementNumberCharacterMessage},
        {QStringLiteral("A\t1"), kManagementNumberCharacterMessage},
        {QStringLiteral("\U0001F600"), kManagementNumberCharacterMessage},
        {QStringLiteral("caf\u00E9"), kManagementNumberCharacterMessage},
        // Only the ten characters kept are judged.
        {QStringLiteral("  ABCDEFGHIJ,\u00E9"), fine},
        {QStringLiteral("=A1"), kManagementNumberFormulaMessage},
        {QStringLiteral("@SUM"), kManagementNumberFormulaMessage},
        {QStringLiteral("   =A1"), kManagementNumberFormulaMessage},
        {QStringLiteral("+A1"), kManagementNumberFormulaMessage},
        {QStringLiteral("-1+1"), kManagementNumberFormulaMessage},
        {QStringLiteral("-"), kManagementNumberFormulaMessage},
        {QStringLiteral("-001"), fine},
        {QStringLiteral("+12.5"), fine},
        {QStringLiteral("A-001"), fine},
        {QStringLiteral("ｱｲｳ"), fine},
        {QStringLiteral("管理１２３"), fine},
        {QStringLiteral("   "), fine},
        {QStringLiteral("A=1"), fine},
        // What input methods on Linux and macOS type for symbols the code page holds otherwise.
        {QStringLiteral("\u301C\u2212\u2016\u00A2\u00A3\u00AC\u2014"), fine},
    };
    for (const auto& [entry, problem] : cases) EXPECT_EQ(managementNumberProblem(entry), problem) << entry.toStdString();
    EXPECT_EQ(managementNumberToStore(QStringLiteral("  AB  ")), QStringLiteral("AB"));
    EXPECT_EQ(managementNumberToStore(QStringLiteral("A\u301C1\u22122\u2016\u00A2\u00A3\u00AC\u2014")),
              QStringLiteral("A\uFF5E1\uFF0D2\u2225\uFFE0\uFFE1\uFFE2\u2015"));
}

}  // namespace
}  // namespace torbex::app
