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

TEST(ManagementNumberTest, EntriesThatWouldBreakTheDataFileAreRefused) {
    for (const QString& entry : {QStringLiteral("A,1"), QStringLiteral("A\t1"), QStringLiteral("\U0001F600"),
                                 QStringLiteral("caf\u00E9")})
        EXPECT_EQ(managementNumberProblem(entry), kManagementNumberCharacterMessage) << entry.toStdString();
    for (const QString& entry : {QStringLiteral("=A1"), QStringLiteral("+1"), QStringLiteral("-1"),
                                 QStringLiteral("@SUM"), QStringLiteral("   =A1")})
        EXPECT_EQ(managementNumberProblem(entry), kManagementNumberFormulaMessage) << entry.toStdString();
    for (const QString& entry : {QStringLiteral("A-001"), QStringLiteral("ｱｲｳ"), QStringLiteral("管理１２３"),
                                 QStringLiteral("   "), QStringLiteral("A=1")})
        EXPECT_EQ(managementNumberProblem(entry), std::nullopt) << entry.toStdString();
    EXPECT_EQ(managementNumberToStore(QStringLiteral("  AB  ")), QStringLiteral("AB        "));
}

}  // namespace
}  // namespace torbex::app
