#pragma once

#include <QObject>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include "app/operator_dialogs.h"

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;

namespace torbex::app {

// The models' inspection intervals as a page of the history window: the list, sortable, and a
// row to set one model's interval (none: torbex.conf's applies again).
class ModelPage final : public QObject {
    Q_OBJECT

public:
    ModelPage(QTabWidget& tabs, history::HistoryStore& store, OperatorDialogs& dialogs);

    // Lists the models as the history now holds them; false (the operator told why) when it
    // cannot be read.
    bool show();
    // Sets the interval of the model named in the boxes.
    void cmdSetModel_Click();

    QStandardItemModel& models() { return m_models; }

    QTableView* grdModels = nullptr;
    QLineEdit* txtMaker = nullptr;
    QLineEdit* txtModel = nullptr;
    QSpinBox* spnInterval = nullptr;
    QPushButton* cmdSetModel = nullptr;

Q_SIGNALS:
    // A model's interval was set: due dates change, so the window reads the history again.
    void changed();

private:
    history::HistoryStore& m_store;
    OperatorDialogs& m_dialogs;
    QStandardItemModel m_models;
    QSortFilterProxyModel m_view;
};

}  // namespace torbex::app
