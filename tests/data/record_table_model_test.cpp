// The data grid's model over the record store: structure checked by Qt's model tester, and the
// texts, colours and alignment each row gives the view.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>
#include <QStringList>

#include "data/grid_cells.h"
#include "data/record_table_model.h"

namespace torbex::data {
namespace {

// Collects what the model tester reports; it warns rather than aborting so every problem shows.
QStringList* g_modelWarnings = nullptr;
void collectModelWarnings(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (g_modelWarnings != nullptr && QByteArrayView(context.category) == "qt.modeltest") g_modelWarnings->append(message);
}

void fill(MeasurementRecord& record, const QString& status, int number) {
    record.StatusFlags = status;
    record.PumpRfid = QStringLiteral("0123456789ABCDEF");
    record.ManagementNo = QStringLiteral("NO-%1").arg(number);
    record.MeasureDate = QStringLiteral("2024/03/05");
    record.MeasureTime = QStringLiteral("11:20   ");
    record.FlowSetting = QStringLiteral(" 70");
    record.FlowResult = QStringLiteral("  98.5");
    record.OcclusionSetting = QStringLiteral("M");
    record.OcclusionResult = QStringLiteral("    55.0");
}

QColor brushColour(const QVariant& value) { return value.value<QBrush>().color(); }

class RecordTableModelTest : public ::testing::Test {
protected:
    void setRecords(int count, const QString& status = QStringLiteral("8F")) {
        for (int i = 0; i < count; ++i) fill(store.slot(i), status, i);
        store.RecordCount = static_cast<std::int16_t>(count);
        model.refresh();
    }
    QVariant at(int row, int column, int role = Qt::DisplayRole) const { return model.data(model.index(row, column), role); }

    RecordStore store;
    RecordTableModel model{store};
};

TEST_F(RecordTableModelTest, PassesModelTesterThroughRefreshes) {
    QStringList warnings;
    g_modelWarnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(collectModelWarnings);
    {
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
        for (const int count : {0, 250, 10001, 0}) {
            setRecords(count);
            EXPECT_EQ(model.rowCount(), gridRowCount(count));
            EXPECT_EQ(model.columnCount(), kGridColumns);
        }
    }
    qInstallMessageHandler(previous);
    g_modelWarnings = nullptr;
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(u'\n').toStdString();
}

TEST_F(RecordTableModelTest, RowCountFollowsStoreOnlyAfterRefresh) {
    store.RecordCount = 250;
    EXPECT_EQ(model.rowCount(), 200);
    model.refresh();
    EXPECT_EQ(model.rowCount(), 251);
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);  // a table: no children
}

TEST_F(RecordTableModelTest, RecordRowsShowCellTextsCentred) {
    setRecords(3);
    for (int column = 0; column < kGridColumns; ++column) {
        EXPECT_EQ(at(1, column).toString(), gridCellTexts(store.slot(1), 1)[static_cast<std::size_t>(column)]) << column;
        EXPECT_EQ(at(1, column, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::Alignment(Qt::AlignCenter));
    }
    EXPECT_EQ(at(2, 0).toString(), QStringLiteral("   3"));
    EXPECT_EQ(at(2, kManagementNoColumn).toString(), QStringLiteral("NO-2      "));
    // Empty rows below the records carry no text and no alignment.
    EXPECT_FALSE(at(3, 0).isValid());
    EXPECT_FALSE(at(3, 0, Qt::TextAlignmentRole).isValid());
}

TEST_F(RecordTableModelTest, StaleSlotsBeyondRecordCountStayBlank) {
    setRecords(10);
    store.RecordCount = 3;  // fewer records now; slots 3..9 keep their old contents
    model.refresh();
    for (int row = 3; row < 10; ++row)
        for (int column = 0; column < kGridColumns; ++column) {
            EXPECT_FALSE(at(row, column).isValid()) << row << "," << column;
            EXPECT_FALSE(at(row, column, Qt::ForegroundRole).isValid()) << row << "," << column;
        }
}

TEST_F(RecordTableModelTest, HeadingColumnAndOddRowsAreGreenAlsoWhenEmpty) {
    setRecords(5);
    for (const int row : {0, 1, 2, 4, 5, 6, 199}) {
        EXPECT_EQ(brushColour(at(row, 0, Qt::BackgroundRole)), QColor(192, 255, 192)) << row;
        for (int column = 1; column < kGridColumns; ++column) {
            const QVariant background = at(row, column, Qt::BackgroundRole);
            if (row % 2 == 1)
                EXPECT_EQ(brushColour(background), QColor(224, 255, 224)) << row << "," << column;
            else
                EXPECT_FALSE(background.isValid()) << row << "," << column;
        }
    }
}

TEST_F(RecordTableModelTest, JudgementColumnsAloneAreColoured) {
    struct Case {
        const char* status;
        QVariant flow;
        QVariant occlusion;
    };
    const QColor red(255, 0, 0), black(0, 0, 0);
    const Case cases[] = {{"8F", black, black}, {"03", red, red}, {"11", red, {}}, {"00", {}, {}}, {"2F", black, red}};
    for (const Case& c : cases) {
        setRecords(1, QString::fromLatin1(c.status));
        for (int column = 0; column < kGridColumns; ++column) {
            const QVariant foreground = at(0, column, Qt::ForegroundRole);
            const QVariant expected = column == kFlowJudgementColumn        ? c.flow
                                      : column == kOcclusionJudgementColumn ? c.occlusion
                                                                            : QVariant();
            if (expected.isValid())
                EXPECT_EQ(brushColour(foreground), expected.value<QColor>()) << c.status << " column " << column;
            else
                EXPECT_FALSE(foreground.isValid()) << c.status << " column " << column;
        }
    }
}

TEST_F(RecordTableModelTest, EditedRecordRepaintsItsWholeRow) {
    setRecords(3);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    store.slot(1).ManagementNo = QStringLiteral("NEW");
    model.recordChanged(1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(1, 0));
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(1, kGridColumns - 1));
    EXPECT_EQ(at(1, kManagementNoColumn).toString(), QStringLiteral("NEW       "));
}

}  // namespace
}  // namespace torbex::data
