#include "app/frm_history.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QtCharts/QChartView>
#include <memory>

#include "app/operator_texts.h"
#include "app/register_texts.h"
#include "app/report_saving.h"
#include "app/history_chart.h"
#include "app/window_placement.h"
#include "workflow/reports.h"

namespace torbex::app {
namespace {

QTableView* table(QWidget* parent, const QString& name, QAbstractItemModel* model) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->horizontalHeader()->setStretchLastSection(false);
    return view;
}

// The view takes the chart, and lets go of the one it showed without deleting it.
void showChart(QChartView& view, QChart* chart) {
    const std::unique_ptr<QChart> replaced(view.chart());
    view.setChart(chart);
}

}  // namespace

frmHistory::frmHistory(history::HistoryStore& store, OperatorDialogs& dialogs, int intervalMonths, QString reportFolder,
                       QWidget* parent)
    : QDialog(parent), m_store(store), m_dialogs(dialogs), m_intervalMonths(intervalMonths), m_reportFolder(std::move(reportFolder)),
      m_files(store, dialogs, m_reportFolder, intervalMonths) {
    setWindowTitle(texts::kHistoryTitle);
    setSizeGripEnabled(true);
    resize(kPreferredSize);
    m_filtered.setSourceModel(&m_pumps);

    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(texts::kHistoryFilterHint);
    chkOverdue = new QCheckBox(texts::kOverdueOnly, this);
    chkOverdue->setObjectName(QStringLiteral("chkOverdue"));
    grdPumps = table(this, QStringLiteral("grdPumps"), &m_filtered);
    grdPumps->setSortingEnabled(true);
    grdPumps->sortByColumn(PumpListModel::Rfid, Qt::AscendingOrder);
    grdTests = table(this, QStringLiteral("grdTests"), &m_tests);
    chtTrend = new QChartView(this);
    chtTrend->setObjectName(QStringLiteral("chtTrend"));
    chtTrend->setRenderHint(QPainter::Antialiasing);
    showChart(*chtTrend, emptyTrendChart());
    chtTrend->setMinimumHeight(220);
    cmdReport = new QPushButton(texts::kReportButton, this);
    cmdReport->setObjectName(QStringLiteral("cmdReport"));
    cmdReport->setEnabled(false);
    cmdCmms = new QPushButton(texts::kCmmsExportButton, this);
    cmdCmms->setObjectName(QStringLiteral("cmdCmms"));
    cmdBackup = new QPushButton(texts::kBackupButton, this);
    cmdBackup->setObjectName(QStringLiteral("cmdBackup"));
    cmdRestore = new QPushButton(texts::kRestoreButton, this);
    cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    cmdClose = new QPushButton(texts::kCloseButton, this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setToolTip(texts::kCloseKeyTip);  // Esc closes the window, as in every dialog

    // The tests' page first, as the window has always opened; the register's pages after it.
    tabPages = new QTabWidget(this);
    tabPages->setObjectName(QStringLiteral("tabPages"));
    auto* testsPage = new QWidget(tabPages);
    for (QWidget* child : std::initializer_list<QWidget*>{txtFilter, chkOverdue, grdPumps, grdTests, chtTrend}) child->setParent(testsPage);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(texts::kHistoryFilterLabel, testsPage));
    filterRow->addWidget(txtFilter, 1);
    filterRow->addWidget(chkOverdue);
    // The operator shares the height between the lists and the chart.
    auto* parts = new QSplitter(Qt::Vertical, testsPage);
    parts->setObjectName(QStringLiteral("splParts"));
    parts->setChildrenCollapsible(false);
    for (QWidget* part : std::initializer_list<QWidget*>{grdPumps, grdTests, chtTrend}) parts->addWidget(part);
    parts->setSizes({280, 150, 370});  // a pump has few tests; its trend wants the height
    auto* testsLayout = new QVBoxLayout(testsPage);
    testsLayout->addLayout(filterRow);
    testsLayout->addWidget(parts, 1);
    tabPages->addTab(testsPage, texts::kTestsTab);
    registerPages = new RegisterPages(*tabPages, m_store, m_dialogs, m_reportFolder);
    modelPage = new ModelPage(*tabPages, m_store, m_dialogs);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCmms);
    buttons->addWidget(cmdBackup);
    buttons->addWidget(cmdRestore);
    buttons->addStretch(1);
    buttons->addWidget(cmdReport);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabPages);
    layout->addLayout(buttons);

    connect(txtFilter, &QLineEdit::textChanged, this, [this](const QString& text) { m_filtered.setFilterFixedString(text); });
    connect(chkOverdue, &QCheckBox::toggled, this, [this](bool only) { m_filtered.setOverdueOnly(only); });
    connect(grdPumps->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { grdPumps_Click(current.row()); });
    connect(cmdReport, &QPushButton::clicked, this, [this] { cmdReport_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(registerPages, &RegisterPages::changed, this, &frmHistory::refresh);
    connect(modelPage, &ModelPage::changed, this, &frmHistory::refresh);
    connect(registerPages->cmdImportRegister, &QPushButton::clicked, this, [this] {
        if (m_files.importRegister()) refresh();
    });
    connect(registerPages->cmdExportRegister, &QPushButton::clicked, this, [this] { m_files.exportRegister(QDate::currentDate()); });
    connect(cmdCmms, &QPushButton::clicked, this, [this] { m_files.exportCmms(QDate::currentDate(), workflow::inspectorName({})); });
    connect(cmdBackup, &QPushButton::clicked, this, [this] { m_files.backup(QDate::currentDate()); });
    connect(cmdRestore, &QPushButton::clicked, this, [this] {
        if (m_files.restore()) refresh();
    });
}

void frmHistory::placeOn(const QRect& available, const std::optional<QRect>& remembered) {
    setGeometry(placedWindow(available, kPreferredSize, remembered));
}

bool frmHistory::refresh() {
    auto pumps = m_store.pumps(m_intervalMonths);
    if (!pumps) {
        m_dialogs.showMessage(texts::kError, texts::historyUnreadable(pumps.error()));
        return false;
    }
    m_pumps.setPumps(pumps.value(), QDate::currentDate());
    return registerPages->show(pumps.value()) && modelPage->show();
}

void frmHistory::grdPumps_Click(int row) {
    if (row < 0 || row >= m_filtered.rowCount()) return;
    const history::PumpSummary& pump = m_pumps.pump(m_filtered.mapToSource(m_filtered.index(row, 0)).row());
    auto tests = m_store.tests({pump.rfid, {}});
    if (!tests) {
        m_dialogs.showMessage(texts::kError, texts::historyUnreadable(tests.error()));
        return;
    }
    m_shownPump = pump.rfid;
    m_tests.setTests(std::move(tests.value()));
    std::vector<data::MeasurementRecord> records;
    for (const history::KeptTest& test : m_tests.tests()) records.push_back(test.record);
    showChart(*chtTrend, trendChart(report::trendOf(records, QDateTime::currentDateTime())));
    cmdReport->setEnabled(true);
}

void frmHistory::cmdReport_Click() {
    if (m_shownPump.isEmpty()) return;
    const workflow::PumpRead read = workflow::pumpTests(m_store, m_shownPump, m_intervalMonths);
    if (!read.error.isEmpty()) return m_dialogs.showMessage(texts::kError, texts::historyUnreadable(read.error));
    const workflow::PumpTests& pump = read.pump;
    const workflow::Authorship proposed = workflow::authorshipNow();
    const QDate today = proposed.madeAt.date();
    saveReport(m_dialogs,
               {m_reportFolder, static_cast<int>(pump.tests.size()), today, proposed.madeBy,
                texts::pumpReportFileName(pump.managementNo.isEmpty() ? pump.rfid : pump.managementNo, today)},
               [&](const QString& path, const QString& by) { return workflow::reportOnPump(path, pump, {by, proposed.madeAt}); });
}

}  // namespace torbex::app
