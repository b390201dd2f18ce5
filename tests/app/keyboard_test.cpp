// The main window without a mouse: Tab walks the controls as they stand and leaves the grid,
// Return presses the focused button and opens a number for editing, F5 loads and Ctrl+S saves.
#include <QtTest>
#include <QtWidgets>

#include "app/support/window_fixture.h"
#include "app/window_style.h"

namespace torbex::app {
namespace {

class KeyboardTest : public testing::WindowTest {
protected:
    KeyboardTest() : WindowTest(testing::twoPumps()) {
        EXPECT_TRUE(window.Form_Load());
        told();
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget* focusAfterTab(QWidget* from) {
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Tab);
        return QApplication::focusWidget();
    }
};

TEST_F(KeyboardTest, TabWalksOutOfOrderOrStaysInTheGrid) {
    const auto& c = window.controls();
    const std::vector<QWidget*> walk{c.cmdMode.at(0), c.cmdMode.at(1), c.Grid2,       c.Command1.at(0), c.Command1.at(1),
                                     c.Command1.at(2), c.Command1.at(9), c.cmdReport, c.cmdHistory};
    for (std::size_t i = 0; i + 1 < walk.size(); ++i)
        EXPECT_EQ(focusAfterTab(walk[i]), walk[i + 1]) << walk[i]->objectName().toStdString();
    c.Grid2->setCurrentIndex(c.Grid2->model()->index(0, 3));
    QTest::keyClick(c.Grid2, Qt::Key_Right);  // the arrows still move within it
    EXPECT_EQ(c.Grid2->currentIndex().column(), 4);
}

TEST_F(KeyboardTest, KeysThatDoNothingOrTheWrongThing) {
    const auto& c = window.controls();
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(window.store().count(), 2);
    told();
    // Return and F2 on a number cell open the editor; on another cell, nothing.
    c.Grid2->setFocus();
    c.Grid2->setCurrentIndex(c.Grid2->model()->index(1, 2));
    QTest::keyClick(c.Grid2, Qt::Key_Return);
    QTest::keyClick(c.Grid2, Qt::Key_F2);
    c.Grid2->setCurrentIndex(c.Grid2->model()->index(1, 3));
    QTest::keyClick(c.Grid2, Qt::Key_Return);
    EXPECT_EQ(dialogs.editorOpenedWith.size(), 2U);

    // F5 loads and Ctrl+S saves, and their tooltips say so; on another page they do nothing.
    dialogs.files = {std::nullopt};
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.fileDialogs.size(), 1U);
    EXPECT_TRUE(c.Command1.at(2)->toolTip().contains(u"Ctrl+S"));
    EXPECT_TRUE(c.Command1.at(0)->toolTip().contains(u"F5"));
    window.cmdMode_Click(Page::Settings);
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(dialogs.fileDialogs.size(), 1U);
    EXPECT_EQ(told(), std::vector<QString>{});
    window.cmdMode_Click(Page::Data);
    told();

    // Return presses the focused button, Space too; a disabled one stays as it is.
    dialogs.answers = {false, false, false, false};
    c.Command1.at(1)->setFocus();
    QTest::keyClick(c.Command1.at(1), Qt::Key_Return);
    const std::vector<QString> byReturn = told();
    QTest::keyClick(c.Command1.at(1), Qt::Key_Space);
    EXPECT_EQ(told(), byReturn);  // the questions whether to clear
    EXPECT_FALSE(byReturn.empty());
    c.Command1.at(1)->setEnabled(false);
    QTest::keyClick(c.Command1.at(1), Qt::Key_Return);
    EXPECT_EQ(told().size(), 0U);
}

// The program's style shows which button has the focus, whatever its colour.
TEST_F(KeyboardTest, FocusedButtonLooksLikeAnyOther) {
    QApplication::setStyle(windowStyle());
    const auto& c = window.controls();
    for (QWidget* button : std::initializer_list<QWidget*>{c.Command1.at(0), c.Command1.at(1), c.Command1.at(2), c.cmdMode.at(1), c.cmdHistory}) {
        c.Grid2->setFocus(Qt::TabFocusReason);
        const QImage plain = button->grab().toImage();
        button->setFocus(Qt::TabFocusReason);
        EXPECT_NE(button->grab().toImage(), plain) << button->objectName().toStdString();
    }
}

}  // namespace
}  // namespace torbex::app
