#include "app/window_keys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QKeyEvent>
#include <algorithm>

namespace torbex::app {
namespace {

bool isReturn(const QKeyEvent& key) {
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && key.modifiers() == Qt::NoModifier;
}

// Where a control stands in its window.
QRect placeOf(const QWidget* control) { return QRect(control->mapTo(control->window(), QPoint(0, 0)), control->size()); }

void sortByPlace(std::vector<QWidget*>& controls) {
    std::stable_sort(controls.begin(), controls.end(), [](const QWidget* a, const QWidget* b) { return placeOf(a).top() < placeOf(b).top(); });
    // A row is the controls whose middles lie within the height of its topmost one.
    for (auto row = controls.begin(); row != controls.end();) {
        const QRect first = placeOf(*row);
        const auto end = std::find_if(row, controls.end(), [&first](const QWidget* c) { return placeOf(c).center().y() > first.bottom(); });
        std::stable_sort(row, end, [](const QWidget* a, const QWidget* b) { return placeOf(a).left() < placeOf(b).left(); });
        row = end;
    }
}

}  // namespace

void WindowKeys::pressOnReturn(QWidget* button) { button->installEventFilter(this); }

void WindowKeys::openOnReturn(QAbstractItemView* table, std::function<void(const QModelIndex&)> open) {
    m_table = table;
    m_open = std::move(open);
    table->installEventFilter(this);
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (watched == m_table) {
        if (!(isReturn(key) || (key.key() == Qt::Key_F2 && key.modifiers() == Qt::NoModifier)) || !m_table->currentIndex().isValid())
            return false;
        m_open(m_table->currentIndex());
        return true;
    }
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !isReturn(key) || !button->isEnabled()) return false;
    button->click();
    return true;
}

void orderTabs(std::vector<QWidget*> controls, std::vector<QWidget*> after) {
    sortByPlace(controls);
    sortByPlace(after);
    controls.insert(controls.end(), after.begin(), after.end());
    for (std::size_t i = 1; i < controls.size(); ++i) QWidget::setTabOrder(controls[i - 1], controls[i]);
}

}  // namespace torbex::app
