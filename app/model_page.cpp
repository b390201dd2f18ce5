#include "app/model_page.h"

#include <QHBoxLayout>
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
#include "history/history_store.h"
#include "history/register_fields.h"

namespace torbex::app {

ModelPage::ModelPage(QTabWidget& tabs, history::HistoryStore& store, OperatorDialogs& dialogs)
    : QObject(&tabs), m_store(store), m_dialogs(dialogs) {
    auto* page = new QWidget(&tabs);
    m_models.setHorizontalHeaderLabels({texts::fieldLabel(QStringLiteral("maker")), texts::fieldLabel(QStringLiteral("model")),
                                        texts::kIntervalHeading});
    grdModels = sortedTable(page, QStringLiteral("grdModels"), m_view, m_models);
    txtMaker = new QLineEdit(page);
    txtMaker->setObjectName(QStringLiteral("txtMaker"));
    txtModel = new QLineEdit(page);
    txtModel->setObjectName(QStringLiteral("txtModel"));
    spnInterval = new QSpinBox(page);
    spnInterval->setObjectName(QStringLiteral("spnInterval"));
    spnInterval->setRange(0, 120);
    spnInterval->setValue(12);
    spnInterval->setSpecialValueText(texts::kDefaultInterval);
    cmdSetModel = new QPushButton(texts::kSetModelButton, page);
    cmdSetModel->setObjectName(QStringLiteral("cmdSetModel"));

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(texts::fieldLabel(QStringLiteral("maker")), page));
    row->addWidget(txtMaker, 1);
    row->addWidget(new QLabel(texts::fieldLabel(QStringLiteral("model")), page));
    row->addWidget(txtModel, 1);
    row->addWidget(new QLabel(texts::kIntervalHeading, page));
    row->addWidget(spnInterval);
    row->addWidget(cmdSetModel);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(grdModels);
    layout->addLayout(row);
    tabs.addTab(page, texts::kModelsTab);

    // A model chosen in the list is the one the row sets.
    connect(grdModels, &QTableView::clicked, this, [this](const QModelIndex& index) {
        const int row = m_view.mapToSource(index).row();
        txtMaker->setText(m_models.item(row, 0)->text());
        txtModel->setText(m_models.item(row, 1)->text());
        spnInterval->setValue(m_models.item(row, 2)->data(Qt::DisplayRole).toInt());
    });
    connect(cmdSetModel, &QPushButton::clicked, this, &ModelPage::cmdSetModel_Click);
}

bool ModelPage::show() {
    const auto intervals = m_store.modelIntervals();
    if (!intervals) {
        m_dialogs.showMessage(texts::kError, texts::historyUnreadable(intervals.error()));
        return false;
    }
    m_models.setRowCount(0);
    for (const history::ModelInterval& m : intervals.value()) {
        auto* months = new QStandardItem;
        months->setData(m.months, Qt::DisplayRole);  // a number, so that it sorts as one
        m_models.appendRow({new QStandardItem(m.maker), new QStandardItem(m.model), months});
    }
    return true;
}

void ModelPage::cmdSetModel_Click() {
    const QString maker = txtMaker->text().trimmed(), model = txtModel->text().trimmed();
    if (maker.isEmpty() || model.isEmpty()) return m_dialogs.showMessage(texts::kConfirm, texts::kNoModelNamed);
    for (const auto& [field, value] : {std::pair{QStringLiteral("maker"), maker}, {QStringLiteral("model"), model}}) {
        if (const auto problem = history::fieldProblem(field, value))
            return m_dialogs.showMessage(texts::kError, texts::fieldProblemMessage(field, *problem));
    }
    if (const auto set = m_store.setModelInterval({maker, model, spnInterval->value()}); !set)
        return m_dialogs.showMessage(texts::kError, texts::historyNotUpdated(set.error()));
    Q_EMIT changed();
}

}  // namespace torbex::app
