#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QAbstractItemView;
class QModelIndex;
class QWidget;

namespace torbex::app {

// Keys the mouse-drawn window answers as a desktop program should: Return presses the button that
// has the focus, and Return or F2 on a table's cell opens it as a double-click does.
class WindowKeys final : public QObject {
public:
    explicit WindowKeys(QObject* parent) : QObject(parent) {}
    void pressOnReturn(QWidget* button);
    void openOnReturn(QAbstractItemView* table, std::function<void(const QModelIndex&)> open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView* m_table = nullptr;
    std::function<void(const QModelIndex&)> m_open;
};

// Chains the tab order through `controls` as they stand in their window, left to right and top to
// bottom (controls whose boxes share a line are on one row), then through `after` the same way.
void orderTabs(std::vector<QWidget*> controls, std::vector<QWidget*> after);

}  // namespace torbex::app
