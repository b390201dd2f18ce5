// The data grid's model over the record store: structure checked by Qt's model tester, and the
// texts, colours and alignment each row gives the view.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>

#include "data/grid_cells.h"
#include "data/record_table_model.h"

namespace torbex::data {
namespace {

// Collects what the model tester reports; it warns rather than aborting so every problem shows.
QStringList g_modelWarnings;
void collectModelWarnings(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (QByteArrayView(context.category) == "qt.modeltest") g_modelWarnings.append(message);
}

class RecordTableModelTest : public ::testing::Test {
protected:
    void setRecords(int count, const char* status = "8F") {
        for (int i = 0; i < count; ++i) {
            MeasurementRecord& r = store.slot(i);
            r.StatusFlags = QString::fromLatin1(status);
            r.PumpRfid = QStringLiteral("0123456789ABCDEF");
            r.ManagementNo = QStringLiteral("NO-%1").arg(i);
            r.MeasureDate = QStringLiteral("2024/03/05");
            r.MeasureTime = QStringLiteral("11:20   ");
            r.FlowSetting = QStringLiteral(" 70");
            r.FlowResult = QStringLiteral("  98.5");
            r.OcclusionSetting = QStringLiteral("M");
            r.OcclusionResult = QStringLiteral("    55.0");
        }
        store.RecordCount = static_cast<std::int16_t>(count);
        model.refresh();
    }
    QVariant at(int row, int column, int role = Qt::DisplayRole) const {
        return model.data(model.index(row, column), role);
    }
    // The colour of a brush role; invalid when the role holds none.
    QColor colour(int row, int column, int role) const {
        const QVariant value = at(row, column, role);
        return value.isValid() ? value.value<QBrush>().color() : QColor();
    }

    RecordStore store;
    RecordTableModel model{store};
};

TEST_F(RecordTableModelTest, PassesModelTesterAndFollowsTheStoreOnlyOnRefresh) {
    const QtMessageHandler previous = qInstallMessageHandler(collectModelWarnings);
    {
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
        int before = 0, rowsOnReset = 0;  // a view reads the rows as the reset ends
        QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { rowsOnReset = model.rowCount(); });
        for (const int count : {250, 10001, 0}) {
            store.RecordCount = static_cast<std::int16_t>(count);
            EXPECT_EQ(model.rowCount(), gridRowCount(before)) << count;
            setRecords(before = count);
            EXPECT_EQ(rowsOnReset, gridRowCount(count));
            EXPECT_EQ(model.columnCount(), kGridColumns);
        }
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(g_modelWarnings.isEmpty()) << g_modelWarnings.join(u'\n').toStdString();
}

TEST_F(RecordTableModelTest, StatusDecidesJudgementTextsTheirColoursAndTheRfid) {
    const QColor red(255, 0, 0), black(0, 0, 0), none;
    // Status; flow text and colour; occlusion text and colour.
    const std::tuple<const char*, const char*, QColor, const char*, QColor> cases[] = {
        {"10", "-----", none, "-----", none},  // an error only counts for a measured value
        {"11", "Err ", red, "-----", none},        {"22", "-----", none, "Err ", red},
        {"15", "Err ", red, "-----", none},        {"2A", "-----", none, "Err ", red},  // error beats pass
        {"03", "  98.5", red, "    55.0", red},    {"8F", "  98.5", black, "    55.0", black},
        {"0D", "  98.5", black, "-----", none},  // a pass bit without its measured bit shows nothing
        {"8f", "  98.5", black, "    55.0", black}, {"zz", "-----", none, "-----", none}};
    for (const auto& [status, flow, flowColour, occlusion, occlusionColour] : cases) {
        setRecords(1, status);
        EXPECT_EQ(at(0, kFlowJudgementColumn).toString(), QString::fromLatin1(flow)) << status;
        EXPECT_EQ(at(0, kOcclusionJudgementColumn).toString(), QString::fromLatin1(occlusion)) << status;
        EXPECT_EQ(at(0, 1).toString().isEmpty(), status[0] != '8') << status;  // RFID only with bit 7
        EXPECT_EQ(colour(0, kFlowJudgementColumn, Qt::ForegroundRole), flowColour) << status;
        EXPECT_EQ(colour(0, kOcclusionJudgementColumn, Qt::ForegroundRole), occlusionColour) << status;
    }
}

TEST_F(RecordTableModelTest, RecordRowsShowTextsCentredStaleSlotsStayBlankAndEditsRepaint) {
    setRecords(10);
    store.RecordCount = 3;  // fewer records now; slots 3..9 keep their old contents
    model.refresh();
    const char16_t* row2[] = {u"   3", u"0123456789ABCDEF", u"NO-2      ", u"2024/03/05", u"11:20",
                              u" 70",  u"  98.5",           u"M",          u"    55.0"};
    for (int column = 0; column < kGridColumns; ++column) {
        EXPECT_EQ(at(2, column).toString(), QString::fromUtf16(row2[column])) << column;
        EXPECT_EQ(at(2, column, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::Alignment(Qt::AlignCenter));
        const bool judgement = column == kFlowJudgementColumn || column == kOcclusionJudgementColumn;
        EXPECT_EQ(at(2, column, Qt::ForegroundRole).isValid(), judgement) << column;
        for (const int row : {0, 1, 2, 3, 4, 9, 199}) {
            // The heading column is green and odd rows are striped, with or without a record.
            const QColor background = column == 0 ? QColor(192, 255, 192) : row % 2 ? QColor(224, 255, 224) : QColor();
            EXPECT_EQ(colour(row, column, Qt::BackgroundRole), background) << row << "," << column;
            for (const int role : {Qt::DisplayRole, Qt::ForegroundRole, Qt::TextAlignmentRole})
                EXPECT_TRUE(row < 3 || !at(row, column, role).isValid()) << row << "," << column << " role " << role;
        }
    }

    // An edited record repaints its whole row.
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
