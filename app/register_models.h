#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <vector>

#include "history/history_store.h"

namespace torbex::app {

// The register's pumps, every field, the last test's overall verdict and the due date (overdue
// in red); the worklist shows the same columns for its pumps.
class RegisterListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { ManagementNo, Rfid, Maker, Model, Serial, Department, Location, Status, Interval, LastTest, Overall, Due, ColumnCount };

    explicit RegisterListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void setPumps(std::vector<history::PumpSummary> pumps, const QDate& today);
    const history::PumpSummary& pump(int row) const { return m_pumps.at(static_cast<std::size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : static_cast<int>(m_pumps.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<history::PumpSummary> m_pumps;
    QDate m_today;
};

// Every change to the register, oldest first.
class AuditListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { ChangedAt, Rfid, Field, OldValue, NewValue, ChangedBy, Source, ColumnCount };

    explicit AuditListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void setEntries(std::vector<history::AuditEntry> entries);

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : static_cast<int>(m_entries.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<history::AuditEntry> m_entries;
};

}  // namespace torbex::app
