#include "data/record_table_model.h"

#include <QBrush>

#include "data/grid_cells.h"

namespace torbex::data {

RecordTableModel::RecordTableModel(const RecordStore& store, QObject* parent)
    : QAbstractTableModel(parent), m_store(store), m_rows(gridRowCount(store.count())) {}

int RecordTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int RecordTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kGridColumns; }

QVariant RecordTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows || index.column() >= kGridColumns) return {};
    const int row = index.row();
    const int column = index.column();

    if (role == Qt::BackgroundRole) {
        if (column == 0) return QBrush(kHeadingGreen);
        if (row % 2 == 1) return QBrush(kStripeGreen);
        return {};
    }
    if (row >= m_store.count()) return {};
    const MeasurementRecord& record = m_store.record(row);

    switch (role) {
        case Qt::DisplayRole: return gridCellTexts(record, row)[static_cast<std::size_t>(column)];
        case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        case Qt::ForegroundRole: {
            CellColour colour = CellColour::Normal;
            if (column == kFlowJudgementColumn) colour = flowJudgement(record).colour;
            if (column == kOcclusionJudgementColumn) colour = occlusionJudgement(record).colour;
            if (colour == CellColour::Red) return QBrush(kJudgementRed);
            if (colour == CellColour::Black) return QBrush(kJudgementBlack);
            return {};
        }
        default: return {};
    }
}

void RecordTableModel::refresh() {
    beginResetModel();
    m_rows = gridRowCount(m_store.count());
    endResetModel();
}

void RecordTableModel::recordChanged(int row) {
    Q_EMIT dataChanged(index(row, 0), index(row, kGridColumns - 1));
}

}  // namespace torbex::data
