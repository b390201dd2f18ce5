#pragma once

#include <QAbstractTableModel>

#include "data/record_store.h"

namespace torbex::app {

// The data grid over the record store: one row per slot below RecordCount, empty striped rows
// after them, nine columns without headings.
class RecordTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit RecordTableModel(const data::RecordStore& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Rebuilds the whole grid from the store.
    void refresh();
    // One record changed (the management number editor).
    void recordChanged(int row);

private:
    const data::RecordStore& m_store;
    int m_rows;
};

}  // namespace torbex::app
