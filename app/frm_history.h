#pragma once

#include <QDialog>
#include <QSortFilterProxyModel>

#include "app/history_models.h"
#include "app/operator_dialogs.h"
#include "app/model_page.h"
#include "app/register_files.h"
#include "app/register_pages.h"

class QChartView;
class QLineEdit;
class QPushButton;
class QCheckBox;
class QTabWidget;
class QTableView;

namespace torbex::app {

// The history window: every pump with its last test and due date (overdue in red), a filter,
// and for the selected pump its tests and their trend over time; then the register's pages.
class frmHistory final : public QDialog {
    Q_OBJECT

public:
    // Reports are saved in `reportFolder` unless the operator picks another.
    frmHistory(history::HistoryStore& store, OperatorDialogs& dialogs, int intervalMonths, QString reportFolder = {},
               QWidget* parent = nullptr);

    static constexpr QSize kPreferredSize{1100, 760};
    // Sizes and places the window within `available`, a screen's free area: as it was last
    // (`remembered`), else at its preferred size, centred; never beyond the screen.
    void placeOn(const QRect& available, const std::optional<QRect>& remembered);
    // Reads the pumps again; false (the operator told why) when the history cannot be read.
    bool refresh();
    // Shows the tests of the pump in a row of the (filtered) pump list.
    void grdPumps_Click(int row);
    // Saves a report on the pump shown.
    void cmdReport_Click();

    PumpListModel& pumps() { return m_pumps; }
    TestListModel& tests() { return m_tests; }
    QSortFilterProxyModel& filtered() { return m_filtered; }
    // The pump whose tests are shown; empty before one is chosen.
    const QString& shownPump() const { return m_shownPump; }

    QTabWidget* tabPages = nullptr;
    RegisterPages* registerPages = nullptr;
    ModelPage* modelPage = nullptr;
    QLineEdit* txtFilter = nullptr;
    QCheckBox* chkOverdue = nullptr;
    QTableView* grdPumps = nullptr;
    QTableView* grdTests = nullptr;
    QChartView* chtTrend = nullptr;
    QPushButton* cmdReport = nullptr;
    QPushButton* cmdCmms = nullptr;
    QPushButton* cmdBackup = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    history::HistoryStore& m_store;
    OperatorDialogs& m_dialogs;
    int m_intervalMonths;
    QString m_reportFolder;
    PumpListModel m_pumps;
    PumpFilter m_filtered;
    TestListModel m_tests;
    QString m_shownPump;
    RegisterFiles m_files;
};

}  // namespace torbex::app
