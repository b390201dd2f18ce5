#include "app/table_views.h"

#include <QHeaderView>
#include <QTableView>

namespace torbex::app {

QTableView* sortedTable(QWidget* parent, const QString& name, QSortFilterProxyModel& view, QAbstractItemModel& model) {
    view.setSourceModel(&model);
    view.setFilterKeyColumn(-1);
    view.setFilterCaseSensitivity(Qt::CaseInsensitive);
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(&view);
    table->setSortingEnabled(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

}  // namespace torbex::app
