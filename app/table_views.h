#pragma once

#include <QSortFilterProxyModel>

class QTableView;
class QWidget;

namespace torbex::app {

// A list of the history window's pages: `model` through `view`, sorted by a click on any heading,
// filtered on every column regardless of case, chosen a whole row at a time, read-only.
QTableView* sortedTable(QWidget* parent, const QString& name, QSortFilterProxyModel& view, QAbstractItemModel& model);

}  // namespace torbex::app
