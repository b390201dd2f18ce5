// The windows as they were reviewed on screen: each page and dialog drawn offscreen and compared
// pixel for pixel with the reviewed picture, so that a control moved, hidden, resized, recoloured
// or set in another font, or a title band that clips its glyphs, shows up.
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

TEST_F(WindowLookTest, HistoryWindowPages) {
    frmHistory history(*window.historyStore(), dialogs, 12, documents.path(), &window);
    ASSERT_TRUE(history.refresh());
    history.grdPumps_Click(1);  // B2: one test, failed
    EXPECT_TRUE(testing::looksAsReviewed(history.grab().toImage(), QStringLiteral("history-tests")));
    for (const auto& [page, name] : {std::pair(1, "history-register"), std::pair(2, "history-worklist"), std::pair(3, "history-audit"), std::pair(4, "history-models")}) {
        history.tabPages->setCurrentIndex(page);
        EXPECT_TRUE(testing::looksAsReviewed(history.grab().toImage(), QString::fromLatin1(name)));
    }
}

}  // namespace
}  // namespace torbex::app
