#include "app/register_pages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "app/operator_texts.h"
#include "app/register_texts.h"
#include "app/table_views.h"
#include "data/management_number.h"
#include "app/report_saving.h"
#include "workflow/register.h"
#include "workflow/reports.h"

namespace torbex::app {
namespace {

QLineEdit* filterBox(QWidget* parent, QSortFilterProxyModel& view) {
    auto* box = new QLineEdit(parent);
    QObject::connect(box, &QLineEdit::textChanged, &view, [&view](const QString& text) { view.setFilterFixedString(text); });
    return box;
}

}  // namespace

RegisterPages::RegisterPages(QTabWidget& tabs, history::HistoryStore& store, OperatorDialogs& dialogs, QString reportFolder)
    : QObject(&tabs), m_store(store), m_dialogs(dialogs), m_reportFolder(std::move(reportFolder)) {
    auto* registerPage = new QWidget(&tabs);
    txtRegisterFilter = filterBox(registerPage, m_registerView);
    txtRegisterFilter->setObjectName(QStringLiteral("txtRegisterFilter"));
    grdRegister = sortedTable(registerPage, QStringLiteral("grdRegister"), m_registerView, m_register);
    cmdEditPump = new QPushButton(texts::kEditPumpButton, registerPage);
    cmdEditPump->setObjectName(QStringLiteral("cmdEditPump"));
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(texts::kHistoryFilterLabel, registerPage));
    filterRow->addWidget(txtRegisterFilter, 1);
    filterRow->addWidget(cmdEditPump);
    cmdImportRegister = new QPushButton(texts::kRegisterImportButton, registerPage);
    cmdImportRegister->setObjectName(QStringLiteral("cmdImportRegister"));
    cmdExportRegister = new QPushButton(texts::kRegisterExportButton, registerPage);
    cmdExportRegister->setObjectName(QStringLiteral("cmdExportRegister"));
    filterRow->addWidget(cmdImportRegister);
    filterRow->addWidget(cmdExportRegister);
    auto* registerLayout = new QVBoxLayout(registerPage);
    registerLayout->addLayout(filterRow);
    registerLayout->addWidget(grdRegister);
    tabs.addTab(registerPage, texts::kRegisterTab);

    auto* worklistPage = new QWidget(&tabs);
    spnWithinDays = new QSpinBox(worklistPage);
    spnWithinDays->setObjectName(QStringLiteral("spnWithinDays"));
    spnWithinDays->setRange(0, 3650);
    spnWithinDays->setValue(30);
    txtDepartment = new QLineEdit(worklistPage);
    txtDepartment->setObjectName(QStringLiteral("txtDepartment"));
    grdWorklist = sortedTable(worklistPage, QStringLiteral("grdWorklist"), m_worklistView, m_worklist);
    grdWorklist->sortByColumn(RegisterListModel::Due, Qt::AscendingOrder);  // soonest first, never tested before all
    auto* worklistRow = new QHBoxLayout;
    worklistRow->addWidget(new QLabel(texts::kWithinDaysLabel, worklistPage));
    worklistRow->addWidget(spnWithinDays);
    worklistRow->addWidget(new QLabel(texts::kDepartmentLabel, worklistPage));
    worklistRow->addWidget(txtDepartment, 1);
    cmdPrintWorklist = new QPushButton(texts::kPrintWorklistButton, worklistPage);
    cmdPrintWorklist->setObjectName(QStringLiteral("cmdPrintWorklist"));
    worklistRow->addWidget(cmdPrintWorklist);
    auto* worklistLayout = new QVBoxLayout(worklistPage);
    worklistLayout->addLayout(worklistRow);
    worklistLayout->addWidget(grdWorklist);
    tabs.addTab(worklistPage, texts::kWorklistTab);

    auto* auditPage = new QWidget(&tabs);
    auto* auditFilter = filterBox(auditPage, m_auditView);
    auditFilter->setObjectName(QStringLiteral("txtAuditFilter"));
    grdAudit = sortedTable(auditPage, QStringLiteral("grdAudit"), m_auditView, m_audit);
    auto* auditRow = new QHBoxLayout;
    auditRow->addWidget(new QLabel(texts::kHistoryFilterLabel, auditPage));
    auditRow->addWidget(auditFilter, 1);
    auto* auditLayout = new QVBoxLayout(auditPage);
    auditLayout->addLayout(auditRow);
    auditLayout->addWidget(grdAudit);
    tabs.addTab(auditPage, texts::kAuditTab);

    connect(spnWithinDays, &QSpinBox::valueChanged, this, &RegisterPages::showWorklist);
    connect(txtDepartment, &QLineEdit::textChanged, this, &RegisterPages::showWorklist);
    connect(cmdPrintWorklist, &QPushButton::clicked, this, &RegisterPages::cmdPrintWorklist_Click);
    connect(grdRegister, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { grdRegister_DblClick(index.row()); });
    connect(cmdEditPump, &QPushButton::clicked, this, [this] {
        const QModelIndex current = grdRegister->currentIndex();
        if (!current.isValid()) return m_dialogs.showMessage(texts::kConfirm, texts::kNoPumpChosen);
        grdRegister_DblClick(current.row());
    });
}

bool RegisterPages::show(const std::vector<history::PumpSummary>& pumps) {
    m_pumps = pumps;
    m_register.setPumps(pumps, QDate::currentDate());
    showWorklist();
    auto entries = m_store.audit({});
    if (!entries) {
        m_dialogs.showMessage(texts::kError, texts::historyUnreadable(entries.error()));
        return false;
    }
    m_audit.setEntries(std::move(entries.value()));
    return true;
}

void RegisterPages::showWorklist() {
    m_worklist.setPumps(workflow::worklist(m_pumps, {QDate::currentDate(), spnWithinDays->value(), txtDepartment->text().trimmed()}),
                        QDate::currentDate());
}

void RegisterPages::cmdPrintWorklist_Click() {
    const workflow::DueQuery query{QDate::currentDate(), spnWithinDays->value(), txtDepartment->text().trimmed()};
    const std::vector<history::PumpSummary> pumps = workflow::worklist(m_pumps, query);
    saveReport(
        m_dialogs,
        {m_reportFolder, static_cast<int>(pumps.size()), query.today, workflow::inspectorName({}), texts::worklistFileName(query.today)},
        [&](const QString& path, const QString& by) {
            const QString problem = workflow::writeWorklist(path, pumps, query, by);
            return problem.isEmpty() ? data::TestsWritten::written(static_cast<int>(pumps.size()))
                                     : data::TestsWritten::unwritten(problem);
        });
}

void RegisterPages::grdRegister_DblClick(int row) {
    if (row < 0 || row >= m_registerView.rowCount()) return;
    const history::PumpSummary& p = m_register.pump(m_registerView.mapToSource(m_registerView.index(row, 0)).row());
    auto fields = m_dialogs.editPump({p.rfid, p.managementNo, p.details});
    if (!fields) return;
    if (const auto number = fields->find(QStringLiteral("number")); number != fields->end())
        number->second = data::managementNumberToStore(number->second);
    if (const auto changed = m_store.changePump(p.rfid, *fields, history::ChangeSource::Editor); !changed)
        return m_dialogs.showMessage(texts::kError, texts::historyNotUpdated(changed.error()));
    Q_EMIT changed();
}

}  // namespace torbex::app
