// The seams every other test replaces, tried for real once: message boxes the operator answers, a
// file dialog, the inspector's name, and the history window where the operator left it.
#include <QtTest>
#include <QtWidgets>
#include <QtCharts/QChartView>
#include <gtest/gtest.h>

#include "app/frm_history.h"
#include "app/message_box_dialogs.h"
#include "app/support/layout_checks.h"
#include "app/support/scripted_dialogs.h"

namespace torbex::app {
namespace {

TEST(RealDialogs, MessageBoxesAreShownAndOnlyYesIsYes) {
    MessageBoxDialogs dialogs;
    QString said;
    const auto answer = [&said](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [&said, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box) << "no message box shown";
            said = box->windowTitle() + u'|' + box->text();
            box->button(button)->click();
        });
    };
    answer(QMessageBox::Yes);
    EXPECT_TRUE(dialogs.askYesNo(QStringLiteral("確認"), QStringLiteral("よろしいですか？")));
    EXPECT_EQ(said, QStringLiteral("確認|よろしいですか？"));
    answer(QMessageBox::No);
    EXPECT_FALSE(dialogs.askYesNo(QStringLiteral("確認"), QStringLiteral("上書きしますか？")));
    EXPECT_EQ(said, QStringLiteral("確認|上書きしますか？"));
    answer(QMessageBox::Ok);
    dialogs.showMessage(QStringLiteral("エラー"), QStringLiteral("書き込みできませんでした。"));
    EXPECT_EQ(said, QStringLiteral("エラー|書き込みできませんでした。"));
}

// The file dialog offers the kind of file asked for, in the folder asked for, with the name suggested.
TEST(RealDialogs, FileDialogOffersTheKindOfFileWhereAsked) {
    QTemporaryDir folder;
    MessageBoxDialogs dialogs;
    QString seen;
    QTimer::singleShot(0, [&seen] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog) << "no file dialog shown";
        seen = dialog->windowTitle() + u'|' + dialog->nameFilters().join(u';') + u'|' + dialog->directory().absolutePath();
        static_cast<QDialog*>(dialog)->accept();  // as the save button does
    });
    const auto chosen = dialogs.chooseFileToWrite({QStringLiteral("保存"), QStringLiteral("*.csv"), folder.path(), QStringLiteral("a.csv")});
    EXPECT_EQ(seen, QStringLiteral("保存|*.csv|") + folder.path());
    EXPECT_EQ(chosen, std::optional(folder.filePath(QStringLiteral("a.csv"))));
}

// The download's progress dialog follows the slots.
TEST(RealDialogs, ProgressDialogShowsTheSlotReached) {
    QWidget parent;
    MessageBoxDialogs dialogs(&parent);
    const auto progress = dialogs.showDownloadProgress();
    progress->show(200, 1001, 5);
    const auto* dialog = parent.findChild<QProgressDialog*>();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(std::pair(dialog->value(), dialog->maximum()), std::pair(200, 1001));
    EXPECT_FALSE(progress->cancelled());
    // It appears once a download takes half a second, the window still behind it; the last slot
    // neither closes nor resets it: the window closes it once the records are in.
    EXPECT_EQ(std::pair(dialog->windowModality(), dialog->minimumDuration()), std::pair(Qt::WindowModal, 500));
    const_cast<QProgressDialog*>(dialog)->show();
    progress->show(1001, 1001, 7);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->value(), 1001);
    EXPECT_TRUE(dialog->labelText().contains(u'7')) << dialog->labelText().toStdString();
}

// Who signs a report: the name proposed, then the one entered last time, kept for the next run;
// cancelled, no one.
TEST(RealDialogs, InspectorEnteredIsProposedNextTime) {
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    MessageBoxDialogs dialogs;
    QString proposed;
    const auto answer = [&proposed](const QString& entry, bool confirm) {
        QTimer::singleShot(0, [&proposed, entry, confirm] {
            auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(input) << "no input dialog shown";
            proposed = input->textValue();
            input->setTextValue(entry);
            confirm ? input->accept() : input->reject();
        });
    };
    answer(QStringLiteral(" Sato "), true);
    EXPECT_EQ(dialogs.askInspector(QStringLiteral("root")), std::optional(QStringLiteral(" Sato ")));
    EXPECT_EQ(proposed, QStringLiteral("root"));
    answer(QStringLiteral("Ito"), false);
    EXPECT_EQ(dialogs.askInspector(QStringLiteral("root")), std::nullopt);
    EXPECT_EQ(proposed, QStringLiteral("Sato"));
    answer(QString(), true);  // a blank entry leaves the name kept as it was
    EXPECT_EQ(MessageBoxDialogs().askInspector(QStringLiteral("root")), std::optional(QString()));
    answer(QStringLiteral("x"), false);
    (void)dialogs.askInspector(QStringLiteral("root"));
    EXPECT_EQ(proposed, QStringLiteral("Sato"));
}

// The history window opens as the operator left it: its place and size, and how its tests page was
// shared between the lists and the trend.
TEST(RealDialogs, HistoryWindowForgetsHowItWasLeft) {
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir folder;
    auto store = history::HistoryStore::open({history::DatabaseTarget::Kind::Sqlite, folder.filePath(QStringLiteral("h.sqlite"))});
    ASSERT_TRUE(store.ok());
    MessageBoxDialogs dialogs;
    const auto whenShown = [](const std::function<void(frmHistory&, QSplitter&)>& look) {
        QTimer::singleShot(0, [look] {
            auto* window = qobject_cast<frmHistory*>(QApplication::activeModalWidget());
            ASSERT_TRUE(window) << "no history window shown";
            look(*window, *window->findChild<QSplitter*>(QStringLiteral("splParts")));
            window->close();
        });
    };
    QList<int> left, found;
    QRect where, foundWhere;
    whenShown([&](frmHistory& window, QSplitter& parts) {
        window.setGeometry(40, 50, 700, 560);
        parts.setSizes({150, 100, 300});
        std::tie(left, where) = std::tuple(parts.sizes(), window.geometry());
    });
    dialogs.showHistory(*store.value(), 12);
    whenShown([&](frmHistory& window, QSplitter& parts) { std::tie(found, foundWhere) = std::tuple(parts.sizes(), window.geometry()); });
    dialogs.showHistory(*store.value(), 12);
    EXPECT_EQ(found, left);
    EXPECT_EQ(foundWhere, where);
}

}  // namespace
}  // namespace torbex::app
