// The management number editor and the rules an entry must meet.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/frm_edit.h"
#include "app/operator_texts.h"
#include "workflow/shared_texts.h"
#include "app/support/scripted_dialogs.h"
#include "app/support/layout_checks.h"
#include "data/management_number.h"

namespace torbex::app {
namespace {

TEST(FrmEditTest, RefusedEntryStaysOpenForCorrectionEnterConfirmsAndCancelRejects) {
    constexpr int kUnset = 42;
    testing::ScriptedDialogs dialogs;
    frmEdit edit{dialogs};
    edit.show();
    // The entry sits on its caption's line, after it; no control covers another or leaves the dialog,
    // and every caption shows whole.
    EXPECT_GT(edit.txtEdit[0]->x(), edit.lblEdit[0]->geometry().right());
    EXPECT_EQ(edit.txtEdit[0]->y(), edit.lblEdit[0]->y());
    // Tab goes from the entry to confirm, then to cancel.
    const auto nextTabStop = [](QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible()) next = next->nextInFocusChain();
        return next;
    };
    EXPECT_EQ(std::pair(nextTabStop(edit.txtEdit[0]), nextTabStop(edit.CmdEdit[0])),
              std::pair(static_cast<QWidget*>(edit.CmdEdit[0]), static_cast<QWidget*>(edit.CmdEdit[1])));
    // The buttons stand side by side below the entry, confirm first.
    EXPECT_EQ(edit.CmdEdit[0]->y(), edit.CmdEdit[1]->y());
    EXPECT_LT(edit.CmdEdit[0]->geometry().right(), edit.CmdEdit[1]->x());
    EXPECT_GT(edit.CmdEdit[0]->y(), edit.txtEdit[0]->geometry().bottom());
    testing::expectApart(edit, edit.findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    QTest::keyClicks(edit.txtEdit[0], QStringLiteral("ABCDEFGHIJK"));  // ten characters at most
    EXPECT_EQ(edit.entry(), QStringLiteral("ABCDEFGHIJ"));
    edit.setResult(kUnset);
    edit.setEntry(QStringLiteral("=1+1"));
    edit.CmdEdit[0]->click();
    QTest::keyClick(edit.txtEdit[0], Qt::Key_Enter);
    ASSERT_EQ(dialogs.shown.size(), 2U);
    EXPECT_EQ(dialogs.shown[1].title + u'|' + dialogs.shown[1].text, texts::kError + u'|' + workflow::texts::kManagementNumberFormula);
    EXPECT_EQ(std::tuple(edit.result(), edit.isVisible(), edit.entry()), std::tuple(kUnset, true, QStringLiteral("=1+1")));

    // Cancel does not judge the entry.
    for (const auto& [key, entry, result] : {std::tuple{Qt::Key_Enter, "A-001", QDialog::Accepted},
                                             {Qt::Key_Return, "A-001", QDialog::Accepted}, {Qt::Key_Escape, "A,1", QDialog::Rejected}}) {
        edit.show();
        edit.setEntry(QString::fromLatin1(entry));
        key == Qt::Key_Escape ? QTest::mouseClick(edit.CmdEdit[1], Qt::LeftButton) : QTest::keyClick(edit.txtEdit[0], key);
        EXPECT_EQ(std::tuple(edit.result(), edit.isVisible(), dialogs.shown.size()), std::tuple(int{result}, false, 2U)) << key;
    }
}

TEST(ManagementNumberTest, EntriesThatWouldBreakTheDataFileOrRunAsAFormulaAreRefused) {
    using enum data::ManagementNumberProblem;
    const auto character = Characters, formula = Formula, length = Length;
    // More than ten characters once trimmed would be cut; what input methods on Linux and macOS
    // type for symbols the code page holds in another form is taken in that form.
    const std::pair<const char16_t*, std::optional<data::ManagementNumberProblem>> cases[] = {
        {u"A,1", character}, {u"A\t1", character}, {u"\U0001F600", character}, {u"caf\u00E9", character},
        {u"  ABCDEFGHIJ  ", {}}, {u"ABCDEFGHIJK", length}, {u"=A1", formula}, {u"@SUM", formula}, {u"   =A1", formula}, {u"+A1", formula},
        {u"-1+1", formula}, {u"-", formula}, {u"-001", {}}, {u"+12.5", {}}, {u"A-001", {}}, {u"ｱｲｳ", {}},
        {u"管理１２３", {}}, {u"   ", {}}, {u"A=1", {}}, {u"\u301C\u2212\u2016\u00A2\u00A3\u00AC\u2014", {}}};
    for (const auto& [entry, problem] : cases)
        EXPECT_EQ(data::managementNumberProblem(QString::fromUtf16(entry)), problem) << QString::fromUtf16(entry).toStdString();
    EXPECT_EQ(data::managementNumberToStore(QStringLiteral("  AB  ")), QStringLiteral("AB"));
    EXPECT_EQ(data::managementNumberToStore(QStringLiteral("A\u301C1\u22122\u2016\u00A2\u00A3\u00AC\u2014")),
              QStringLiteral("A\uFF5E1\uFF0D2\u2225\uFFE0\uFFE1\uFFE2\u2015"));
}

}  // namespace
}  // namespace torbex::app
