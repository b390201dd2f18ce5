// The windows as they were reviewed on screen: each page and dialog drawn offscreen and compared
// pixel for pixel with the reviewed picture, so that a control moved, hidden, resized, recoloured
// or set in another font shows up.
#include <QtWidgets>

#include "app/frm_edit.h"
#include "app/frm_history.h"
#include "app/frm_pump.h"
#include "app/support/window_fixture.h"
#include "support/golden_image.h"

namespace torbex::app {
namespace {

class WindowLookTest : public testing::WindowTest {
protected:
    WindowLookTest() : WindowTest(testing::twoPumps(), testing::freshHistory()) {
        EXPECT_TRUE(window.Form_Load());
        tick(2);  // the version, the calibration and the serial number
        window.Command1_Click(DataButton::Load);
        told();
    }
};

TEST_F(WindowLookTest, MainWindowPagesAndTheEditor) {
    const auto& c = window.controls();
    window.controls().Grid2->setCurrentIndex(c.Grid2->model()->index(1, 2));
    EXPECT_TRUE(testing::looksAsReviewed(window.grab().toImage(), QStringLiteral("main-data")));
    window.cmdMode_Click(Page::Settings);
    EXPECT_TRUE(testing::looksAsReviewed(window.grab().toImage(), QStringLiteral("main-settings")));
    window.cmdMode_Click(Page::Factory);
    EXPECT_TRUE(testing::looksAsReviewed(window.grab().toImage(), QStringLiteral("main-factory")));

    frmEdit edit{dialogs};
    edit.txtEdit[0]->setText(QStringLiteral("P-01"));
    EXPECT_TRUE(testing::looksAsReviewed(edit.grab().toImage(), QStringLiteral("edit")));
    frmPump form({QStringLiteral("00000000000000A1"), QStringLiteral("P-1"),
                  {QStringLiteral("M1"), QStringLiteral("X-9"), {}, QStringLiteral("ICU"), {}, false, QStringLiteral("予備機")}},
                 dialogs);
    EXPECT_TRUE(testing::looksAsReviewed(form.grab().toImage(), QStringLiteral("pump-form")));
}

// Each page's title band shows its glyphs whole, as far from its top as from its bottom.
TEST_F(WindowLookTest, TitleBandClipsItsGlyphsOrSitsThemOffCentre) {
    int bands = 0;
    for (const auto& [index, band] : window.controls().Label6) {
        if (!band) continue;
        ++bands;
        const QImage image = band->grab().toImage();
        const QRgb background = image.pixel(0, 0);
        int first = -1, last = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != background) {
                    if (first < 0) first = y;
                    last = y;
                }
        const int below = image.height() - 1 - last;
        EXPECT_TRUE(first >= 1 && below >= 1 && std::abs(first - below) <= 1)
            << index << ": ink from row " << first << " to " << last << " of " << image.height();
    }
    EXPECT_GE(bands, 3);
}

TEST_F(WindowLookTest, HistoryWindowPages) {
    frmHistory history(*window.historyStore(), dialogs, 12, documents.path(), &window);
    ASSERT_TRUE(history.refresh());
    history.grdPumps_Click(1);  // B2: one test, failed
    EXPECT_TRUE(testing::looksAsReviewed(history.grab().toImage(), QStringLiteral("history-tests")));
    for (const auto& [page, name] : {std::pair(1, "history-register"), std::pair(2, "history-worklist"), std::pair(4, "history-models")}) {
        history.tabPages->setCurrentIndex(page);
        EXPECT_TRUE(testing::looksAsReviewed(history.grab().toImage(), QString::fromLatin1(name)));
    }
}

// Every control an operator acts on carries a name of its own, so that a reader, a screen reader's
// script or a test can find it.
TEST_F(WindowLookTest, EveryControlOfTheHistoryWindowAndThePumpFormIsNamed) {
    frmHistory history(*window.historyStore(), dialogs, 12, documents.path(), &window);
    frmPump form({QStringLiteral("00000000000000A1"), {}, {}}, dialogs);
    for (const QWidget* top : {static_cast<QWidget*>(&history), static_cast<QWidget*>(&form)}) {
        QSet<QString> names;
        for (const QWidget* control : top->findChildren<QWidget*>()) {
            const bool acted = qobject_cast<const QAbstractButton*>(control) || qobject_cast<const QLineEdit*>(control) ||
                               qobject_cast<const QComboBox*>(control) || qobject_cast<const QSpinBox*>(control) ||
                               qobject_cast<const QAbstractItemView*>(control);
            // The parts Qt builds inside a control (a spin box's editor, a view's corner button, a button box's
            // standard buttons) are its own.
            if (!acted || qobject_cast<const QAbstractSpinBox*>(control->parentWidget()) ||
                qobject_cast<const QComboBox*>(control->parentWidget()) || qobject_cast<const QAbstractItemView*>(control->parentWidget()) ||
                qobject_cast<const QTabBar*>(control->parentWidget()) || qobject_cast<const QDialogButtonBox*>(control->parentWidget()))
                continue;
            EXPECT_FALSE(control->objectName().isEmpty()) << control->metaObject()->className() << " in " << top->metaObject()->className();
            EXPECT_FALSE(names.contains(control->objectName())) << control->objectName().toStdString();
            names.insert(control->objectName());
        }
        EXPECT_GT(names.size(), 5);
    }
}

}  // namespace
}  // namespace torbex::app
