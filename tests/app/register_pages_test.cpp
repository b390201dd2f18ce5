// The register's pages of the history window, and the pump form, over a real history.
#include <QtTest>
#include <QtWidgets>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "app/frm_history.h"
#include "app/frm_pump.h"
#include "app/support/window_fixture.h"
#include "data/file_io.h"
#include "report/cmms_export.h"
#include "workflow/register_csv.h"

namespace torbex::app {
namespace {

class RegisterPagesTest : public testing::WindowTest {
protected:
    RegisterPagesTest() : WindowTest(testing::twoPumps(), testing::freshHistory()) {
        EXPECT_TRUE(window.Form_Load());
        window.Command1_Click(DataButton::Load);  // pumps A1 (2024/01/05) and B2 (2024/01/06)
        told();
    }
    QString cell(const QAbstractItemModel& model, int row, int column) const {
        return model.index(row, column).data().toString();
    }
};

// A pump edited in its form changes the register as the editor's change, and every page shows it:
// the register sorted as asked, the worklist without a retired pump, the audit trail.
TEST_F(RegisterPagesTest, EditedPumpLostOrShownStaleOnAnyPage) {
    frmHistory history(*window.historyStore(), dialogs, 12, documents.path(), &window);
    ASSERT_TRUE(history.refresh());
    QStringList tabs;
    for (int i = 0; i < history.tabPages->count(); ++i) tabs << history.tabPages->tabText(i);
    EXPECT_EQ(tabs.join(u'|'), QStringLiteral("試験履歴|台　帳|点検予定|変更履歴|機種別点検間隔"));
    RegisterPages& pages = *history.registerPages;
    QStringList headings;
    for (const QAbstractItemModel* list : {static_cast<QAbstractItemModel*>(&pages.pumps()), static_cast<QAbstractItemModel*>(&pages.audit())})
        for (int column = 0; column < list->columnCount(); ++column) headings << list->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headings.size(), int{RegisterListModel::ColumnCount} + int{AuditListModel::ColumnCount});
    EXPECT_FALSE(headings.contains(QString())) << headings.join(u'|').toStdString();
    pages.grdRegister->sortByColumn(RegisterListModel::Rfid, Qt::DescendingOrder);
    EXPECT_EQ(cell(pages.registerView(), 0, RegisterListModel::Rfid), QStringLiteral("00000000000000B2"));
    EXPECT_EQ(cell(pages.registerView(), 0, RegisterListModel::Overall), QStringLiteral("Fail"));
    EXPECT_EQ(pages.worklist().rowCount(), 2);  // tested in 2024: overdue

    dialogs.pumpEdits = {std::map<QString, QString>{{QStringLiteral("number"), QStringLiteral(" P-9 ")},
                                                    {QStringLiteral("department"), QStringLiteral("ICU")},
                                                    {QStringLiteral("status"), QStringLiteral("retired")}},
                         std::nullopt};
    pages.grdRegister_DblClick(0);
    pages.grdRegister_DblClick(0);  // cancelled: nothing changes
    EXPECT_EQ(dialogs.pumpFormsOpenedFor, (std::vector<QString>(2, QStringLiteral("00000000000000B2"))));
    const auto pump = window.historyStore()->findPump(QStringLiteral("P-9"));
    ASSERT_TRUE(pump.ok() && pump.value());
    EXPECT_EQ(std::tuple(pump.value()->rfid, pump.value()->details.department, pump.value()->details.retired),
              std::tuple(QStringLiteral("00000000000000B2"), QStringLiteral("ICU"), true));
    EXPECT_EQ(cell(pages.registerView(), 0, RegisterListModel::Status), QStringLiteral("廃棄"));
    EXPECT_EQ(pages.worklist().rowCount(), 1);
    QStringList audit;  // as the page's table shows it
    const QAbstractItemModel& shown = *pages.grdAudit->model();
    for (int row = 0; row < pages.grdAudit->verticalHeader()->count(); ++row)
        audit << cell(shown, row, AuditListModel::Field) + u'=' + cell(shown, row, AuditListModel::NewValue) + u'@' +
                     cell(shown, row, AuditListModel::Source);
    EXPECT_EQ(audit.join(u' '), QStringLiteral("管理番号=P-9@画面 部署=ICU@画面 状態=廃棄@画面"));

    // The worklist as shown is printed under a name of its own.
    dialogs.files = {documents.filePath(QStringLiteral("due"))};
    told();
    pages.cmdPrintWorklist_Click();
    EXPECT_EQ(told(), std::vector<QString>{QStringLiteral("確認|書き込みが正常に終了しました。")});
    EXPECT_TRUE(dialogs.fileDialogs.back().name.startsWith(u"点検予定表_"));
    EXPECT_TRUE(testing::fileBytes(documents.filePath(QStringLiteral("due.pdf"))).startsWith("%PDF"));
}

// A history whose change log cannot be read says so, and the window is not taken as refreshed.
TEST_F(RegisterPagesTest, UnreadableChangeLogTakenForARefresh) {
    frmHistory history(*window.historyStore(), dialogs, 12, documents.path(), &window);
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(historyTarget->location);
        ASSERT_TRUE(other.open() && QSqlQuery(other).exec(QStringLiteral("DROP TABLE audit")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    told();
    EXPECT_FALSE(history.refresh());
    const std::vector<QString> shown = told();
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_TRUE(shown[0].startsWith(u"エラー|")) << shown[0].toStdString();
    EXPECT_EQ(history.pumps().rowCount(), 2);  // what could be read is shown
}

// A model's interval, set on its page, moves the due dates of that model's pumps alone; set to
// none, torbex.conf's applies again. A model not named is refused.
TEST_F(RegisterPagesTest, ModelIntervalNotSetOrDueDatesLeftAsTheyWere) {
    ASSERT_TRUE(window.historyStore()->changePump(QStringLiteral("00000000000000A1"),
                                                 {{QStringLiteral("maker"), QStringLiteral("M1")}, {QStringLiteral("model"), QStringLiteral("X-9")}},
                                                 history::ChangeSource::Tool));
    frmHistory history(*window.historyStore(), dialogs, 12, documents.path(), &window);
    ASSERT_TRUE(history.refresh());
    ModelPage& page = *history.modelPage;
    const auto dues = [&] {
        RegisterPages& pages = *history.registerPages;
        pages.grdRegister->sortByColumn(RegisterListModel::Rfid, Qt::AscendingOrder);
        return cell(pages.registerView(), 0, RegisterListModel::Due) + u' ' + cell(pages.registerView(), 1, RegisterListModel::Due);
    };
    page.txtMaker->setText(QStringLiteral(" M1 "));
    page.cmdSetModel_Click();
    EXPECT_EQ(told(), std::vector<QString>{QStringLiteral("確認|メーカーと機種を入力して下さい。")});

    page.txtModel->setText(QStringLiteral("X-9"));
    page.spnInterval->setValue(6);
    QTest::mouseClick(page.cmdSetModel, Qt::LeftButton);
    EXPECT_TRUE(told().empty());
    ASSERT_EQ(page.models().rowCount(), 1);
    EXPECT_EQ(cell(page.models(), 0, 0) + u'|' + cell(page.models(), 0, 1) + u'|' + cell(page.models(), 0, 2), QStringLiteral("M1|X-9|6"));
    EXPECT_EQ(dues(), QStringLiteral("2024/07/05 2025/01/06"));

    // Chosen in the list, the model fills the row; no interval of its own takes it out.
    page.txtMaker->clear();
    QTest::mouseClick(page.grdModels->viewport(), Qt::LeftButton, {}, page.grdModels->visualRect(page.grdModels->model()->index(0, 1)).center());
    EXPECT_EQ(page.txtMaker->text() + u'|' + page.spnInterval->text(), QStringLiteral("M1|6"));
    page.spnInterval->setValue(0);
    page.cmdSetModel_Click();
    EXPECT_EQ(page.models().rowCount(), 0);
    EXPECT_EQ(dues(), QStringLiteral("2025/01/05 2025/01/06"));
}

// The history window's files: a register file with a failing line takes nothing and names the
// line; a good one changes the register; the register, the maintenance export and a backup are
// written where the operator says, and a backup that cannot be written is told.
TEST_F(RegisterPagesTest, RegisterFilesHalfTakenOrWrittenWithoutAWord) {
    frmHistory history(*window.historyStore(), dialogs, 12, documents.path(), &window);
    ASSERT_TRUE(history.refresh());
    const QString csv = documents.filePath(QStringLiteral("register.csv"));
    const QByteArray heading = QByteArray(workflow::kRegisterHeading) + "\r\n";
    ASSERT_TRUE(data::writeFileAtomically(csv, heading + "00000000000000A1,P-1,M1,X-9,,ICU,,,,\r\n"
                                                         "00000000000000B2,P-2,,,,,,scrapped,,\r\n").ok());
    dialogs.files = {csv};
    told();
    QTest::mouseClick(history.registerPages->cmdImportRegister, Qt::LeftButton);
    EXPECT_EQ(told(), std::vector<QString>{QStringLiteral("エラー|台帳ファイルに誤りがあるため、読み込みませんでした。\n"
                                                          "3行目：status must be in-service or retired")});
    EXPECT_EQ(window.historyStore()->findPump(QStringLiteral("P-1")).value(), std::nullopt);

    ASSERT_TRUE(data::writeFileAtomically(csv, heading + "00000000000000A1,P-1,M1,X-9,,ICU,,,,\r\n").ok());
    dialogs.files = {csv};
    QTest::mouseClick(history.registerPages->cmdImportRegister, Qt::LeftButton);
    EXPECT_EQ(told(), std::vector<QString>{QStringLiteral("確認|台帳を読み込みました。（1台、うち変更1台）")});
    EXPECT_EQ(cell(history.pumps(), 0, PumpListModel::ManagementNo) + cell(history.registerPages->pumps(), 0, RegisterListModel::Department),
              QStringLiteral("P-1ICU"));

    // Cancelled, no name, or the file there kept: nothing written, only the question asked.
    const QByteArray imported = testing::fileBytes(csv);
    dialogs.files = {std::nullopt, QString(), csv};
    dialogs.answers = {false};
    for (int i = 0; i < 3; ++i) QTest::mouseClick(history.registerPages->cmdExportRegister, Qt::LeftButton);
    EXPECT_EQ(told().size(), 1U);
    EXPECT_EQ(testing::fileBytes(csv), imported);

    dialogs.files = {documents.filePath(QStringLiteral("out")), documents.filePath(QStringLiteral("cmms.csv")),
                     documents.filePath(QStringLiteral("copy")), documents.filePath(QStringLiteral("none/copy.sqlite"))};
    QTest::mouseClick(history.registerPages->cmdExportRegister, Qt::LeftButton);
    QTest::mouseClick(history.cmdCmms, Qt::LeftButton);
    QTest::mouseClick(history.cmdBackup, Qt::LeftButton);
    QTest::mouseClick(history.cmdBackup, Qt::LeftButton);
    const std::vector<QString> shown = told();
    ASSERT_EQ(shown.size(), 4U);
    EXPECT_EQ(std::vector<QString>(shown.begin(), shown.begin() + 3), std::vector<QString>(3, QStringLiteral("確認|書き込みが正常に終了しました。")));
    EXPECT_TRUE(shown[3].startsWith(u"エラー|書き込みできませんでした。\n（")) << shown[3].toStdString();
    EXPECT_TRUE(testing::fileBytes(documents.filePath(QStringLiteral("out.csv"))).contains("00000000000000A1,P-1,M1,X-9,,ICU"));
    EXPECT_TRUE(testing::fileBytes(documents.filePath(QStringLiteral("cmms.csv"))).startsWith("\xEF\xBB\xBF" + QByteArray(report::kCmmsHeading)));
    EXPECT_TRUE(history::checkHistoryCopy(documents.filePath(QStringLiteral("copy.sqlite"))).ok());
    EXPECT_EQ(dialogs.fileDialogs.at(dialogs.fileDialogs.size() - 4).name.left(3), QStringLiteral("台帳_"));

    // Restored from the backup, the register is as it was then, the replaced history kept beside
    // it; a file that is no history, or a No, changes nothing.
    history::HistoryStore& store = *window.historyStore();
    ASSERT_TRUE(store.setManagementNumber(QStringLiteral("00000000000000A1"), QStringLiteral("P-9"), history::ChangeSource::Tool));
    dialogs.files = {documents.filePath(QStringLiteral("cmms.csv")), documents.filePath(QStringLiteral("copy.sqlite")),
                     documents.filePath(QStringLiteral("copy.sqlite"))};
    dialogs.answers = {true, false, true};
    for (int i = 0; i < 3; ++i) QTest::mouseClick(history.cmdRestore, Qt::LeftButton);
    const std::vector<QString> restoring = told();
    ASSERT_EQ(restoring.size(), 5U);  // question, failure, question, question, success
    EXPECT_TRUE(restoring[1].startsWith(u"エラー|履歴を復元できませんでした。\n（")) << restoring[1].toStdString();
    EXPECT_TRUE(restoring[4].startsWith(u"確認|履歴を復元しました。\n復元前の履歴：")) << restoring[4].toStdString();
    EXPECT_TRUE(QFileInfo::exists(restoring[4].section(u'：', 1)));
    EXPECT_TRUE(store.findPump(QStringLiteral("P-1")).value().has_value());
    EXPECT_EQ(cell(history.pumps(), 0, PumpListModel::ManagementNo), QStringLiteral("P-1"));
}

TEST(FrmPumpTest, RefusedFieldKeepsTheFormOpenAndGoodFieldsConfirm) {
    testing::ScriptedDialogs dialogs;
    frmPump form({QStringLiteral("00000000000000A1"), QStringLiteral("P-1"), {QStringLiteral("M1"), {}, {}, {}, {}, true, {}}},
                 dialogs);
    form.show();
    EXPECT_EQ(std::tuple(form.txtField.at(QStringLiteral("maker"))->text(), form.cboStatus->currentIndex()),
              std::tuple(QStringLiteral("M1"), 1));
    form.txtField.at(QStringLiteral("number"))->setText(QStringLiteral("=1+1"));
    form.cmdOk_Click();
    form.txtField.at(QStringLiteral("number"))->setText(QStringLiteral("P-2"));
    form.txtField.at(QStringLiteral("notes"))->setText(QStringLiteral("a\tb"));
    form.cmdOk_Click();
    ASSERT_EQ(dialogs.shown.size(), 2U);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("管理番号の先頭に「=」「+」「-」「@」は使用できません。"));
    EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("備考に制御文字は使用できません。"));
    EXPECT_EQ(form.result(), 0);
    form.txtField.at(QStringLiteral("notes"))->setText(QStringLiteral("ok"));
    form.cboStatus->setCurrentIndex(0);
    form.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    frmPump cancelled({QStringLiteral("00000000000000A1"), {}, {}}, dialogs);
    cancelled.show();
    cancelled.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_EQ(form.fields().at(QStringLiteral("status")), QStringLiteral("in-service"));
}

}  // namespace
}  // namespace torbex::app
