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

class FrmEditTest : public ::testing::Test {
protected:
    FrmEditTest() {
        edit.show();
        edit.setResult(kUnset);
    }
    testing::ScriptedDialogs dialogs;
    frmEdit edit{dialogs};
};

TEST_F(FrmEditTest, EnterInTheEntryConfirms) {
    for (const Qt::Key key : {Qt::Key_Enter, Qt::Key_Return}) {
        edit.show();
        edit.setResult(kUnset);
        edit.setEntry(QStringLiteral("A-001"));
        QTest::keyClick(edit.txtEdit[0], key);
        EXPECT_EQ(edit.result(), QDialog::Accepted) << key;
        EXPECT_FALSE(edit.isVisible());
        EXPECT_EQ(edit.entry(), QStringLiteral("A-001"));
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FrmEditTest, CancelRejectsWhateverWasTyped) {
    edit.setEntry(QStringLiteral("A,1"));
    edit.CmdEdit[1]->click();
    EXPECT_EQ(edit.result(), QDialog::Rejected);
    EXPECT_FALSE(edit.isVisible());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FrmEditTest, RefusedEntryIsExplainedAndStaysOpenForCorrection) {
    edit.setEntry(QStringLiteral("=1+1"));
    edit.CmdEdit[0]->click();
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(dialogs.shown[0].text, kManagementNumberFormulaMessage);
    EXPECT_EQ(edit.result(), kUnset);
    EXPECT_TRUE(edit.isVisible());
    EXPECT_EQ(edit.entry(), QStringLiteral("=1+1"));

    QTest::keyClick(edit.txtEdit[0], Qt::Key_Enter);
    EXPECT_EQ(dialogs.shown.size(), 2U);
    EXPECT_TRUE(edit.isVisible());
}

TEST(ManagementNumberTest, EntriesThatWouldBreakTheDataFileAreRefused) {
    const std::pair<QString, QString> refused[] = {
        {QStringLiteral("A,1"), kManagementNumberCharacterMessage},
        {QStringLiteral("A\t1"), kManagementNumberCharacterMessage},
        {QStringLiteral("\U0001F600"), kManagementNumberCharacterMessage},
        {QStringLiteral("caf\u00E9"), kManagementNumberCharacterMessage},
        {QStringLiteral("=A1"), kManagementNumberFormulaMessage},
        {QStringLiteral("+1"), kManagementNumberFormulaMessage},
        {QStringLiteral("-1"), kManagementNumberFormulaMessage},
        {QStringLiteral("@SUM"), kManagementNumberFormulaMessage},
        {QStringLiteral("   =A1"), kManagementNumberFormulaMessage},
    };
    for (const auto& [entry, message] : refused)
        EXPECT_EQ(managementNumberProblem(entry), message) << entry.toStdString();
    for (const QString& entry : {QStringLiteral("A-001"), QStringLiteral("ｱｲｳ"), QStringLiteral("管理１２３"),
                                 QString(), QStringLiteral("   "), QStringLiteral("A=1")})
        EXPECT_EQ(managementNumberProblem(entry), std::nullopt) << entry.toStdString();
}

TEST(ManagementNumberTest, StoredFormIsTrimmedAndPadded) {
    EXPECT_EQ(managementNumberToStore(QStringLiteral("  AB  ")), QStringLiteral("AB        "));
    EXPECT_EQ(managementNumberToStore(QString()), QString(8, u' '));
}

}  // namespace
}  // namespace torbex::app
