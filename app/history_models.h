#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QDate>
#include <vector>

#include "history/history_store.h"

namespace torbex::app {

// The pumps of the registry and the history, one row each; a due date that has passed is red.
class PumpListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Rfid, ManagementNo, Tests, LastTest, FlowVerdict, OcclusionVerdict, Due, ColumnCount };

    explicit PumpListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void setPumps(std::vector<history::PumpSummary> pumps, const QDate& today);
    const history::PumpSummary& pump(int row) const { return m_pumps.at(static_cast<std::size_t>(row)); }
    bool overdue(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : static_cast<int>(m_pumps.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<history::PumpSummary> m_pumps;
    QDate m_today;
};

// The pump list as the operator narrows it: a text found in any column and, when asked, the
// overdue pumps alone.
class PumpFilter final : public QSortFilterProxyModel {
public:
    PumpFilter() {
        setFilterKeyColumn(-1);
        setFilterCaseSensitivity(Qt::CaseInsensitive);
    }
    void setOverdueOnly(bool only) {
        m_overdueOnly = only;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (m_overdueOnly && !static_cast<const PumpListModel*>(sourceModel())->overdue(row)) return false;
        return QSortFilterProxyModel::filterAcceptsRow(row, parent);
    }

private:
    bool m_overdueOnly = false;
};

// One pump's tests, oldest first, with their verdicts coloured as in the data grid.
class TestListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Date, Time, Tester, FlowSetting, FlowResult, FlowVerdict, Level, OcclusionResult, OcclusionVerdict, ColumnCount };

    explicit TestListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void setTests(std::vector<history::KeptTest> tests);
    const std::vector<history::KeptTest>& tests() const { return m_tests; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : static_cast<int>(m_tests.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<history::KeptTest> m_tests;
};

// A result as the history's lists show it: "##0.0", or "------" when not measured.
QString resultText(const std::optional<int>& tenths);
// A day as the grid shows it (2026/04/01), in every list of the window; empty for none.
QString dayText(const QDate& day);
QString dayText(const QString& isoDay);

}  // namespace torbex::app
