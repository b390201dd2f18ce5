// What the data grid shows: the cells and colours of each row, and the model's rows.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QSignalSpy>

#include "data/grid_cells.h"
#include "data/record_from_reply.h"
#include "app/record_table_model.h"

namespace torbex::app {
namespace {

using namespace data;

class Grid : public ::testing::Test {
protected:
    void setRecords(std::size_t count, std::uint8_t status = 0x8F) {
        const MeasurementRecord record = recordFromReply(
            {{8, 7, 6, 5, 4, 3, 2, 1}, status, {'2', '4', '0', '3', '0', '5'}, {'1', '1', '2', '0'}, 70, 985, '1', 0, 550});
        ASSERT_TRUE(store.replace(std::vector(count, record)));
        model.refresh();
    }
    std::string at(int row, int column, int role = Qt::DisplayRole) const {  // text or colour; "-": left to the view
        const QVariant value = model.index(row, column).data(role);
        if (!value.isValid()) return "-";
        return (role == Qt::DisplayRole ? value.toString() : value.value<QBrush>().color().name()).toStdString();
    }

    RecordStore store;
    RecordTableModel model{store};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};  // aborts on a breach
};

TEST_F(Grid, JudgementTextOrColourWrongForAVerdict) {
    const std::pair<std::uint8_t, const char*> cases[] = {
        {0x30, " -----|- -----|-"},  // an error counts only for a measured value
        {0x15, " Err |#ff0000 -----|-"},           {0x2A, " -----|- Err |#ff0000"},  // an error outweighs a pass
        {0x03, "   98.5|#ff0000     55.0|#ff0000"}, {0x8F, "0807060504030201   98.5|#000000     55.0|#000000"},
        {0x0D, "   98.5|#000000 -----|-"},  // a pass bit without its measured bit shows nothing
    };
    for (const auto& [status, cells] : cases) {
        setRecords(1, status);
        EXPECT_EQ(at(0, 1) + ' ' + at(0, kFlowJudgementColumn) + '|' + at(0, kFlowJudgementColumn, Qt::ForegroundRole) +
                      ' ' + at(0, kOcclusionJudgementColumn) + '|' + at(0, kOcclusionJudgementColumn, Qt::ForegroundRole),
                  cells);
    }
}

TEST_F(Grid, RowsNumberedWronglyOrStaleSlotsShown) {
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);  // a view reads the rows again only then
    setRecords(200);
    EXPECT_EQ(model.rowCount(), 201);
    setRecords(3);  // slots 3 to 199 keep stale records
    EXPECT_EQ(model.rowCount(), 200);
    EXPECT_EQ(reset.size(), 2);
    // The number column in one colour on every row, the other columns striped on odd rows only.
    const std::string heading = at(0, 0, Qt::BackgroundRole), stripe = at(1, 1, Qt::BackgroundRole);
    for (const std::string& colour : {heading, stripe}) EXPECT_NE(colour, "-");
    EXPECT_NE(heading, stripe);
    const char* row2[] = {"   3", "0807060504030201", "          ", "2024/03/05", "11:20", " 70", "  98.5", "M", "    55.0"};
    for (int column = 0; column < kGridColumns; ++column) {
        EXPECT_EQ(at(2, column), row2[column]);
        const bool judgement = column == kFlowJudgementColumn || column == kOcclusionJudgementColumn;
        EXPECT_EQ(at(2, column, Qt::ForegroundRole), judgement ? "#000000" : "-");
        for (const int row : {0, 1, 2, 3, 4, 199}) {
            EXPECT_EQ(at(row, column, Qt::BackgroundRole), column == 0 ? heading : row % 2 ? stripe : "-");
            for (const int role : {Qt::DisplayRole, Qt::ForegroundRole, Qt::TextAlignmentRole})
                if (row >= 3) { EXPECT_EQ(at(row, column, role), "-") << row << "," << column << " " << role; }
        }
    }
    EXPECT_EQ((recordNumberText(9998) + recordNumberText(9999) + countText(10001)).toStdString(), "99990000 10001");
    EXPECT_EQ((std::vector{firstVisibleRow(19), firstVisibleRow(21), firstVisibleRow(10001)}), (std::vector{0, 1, 9981}));
    model.recordChanged(1);  // an edited number repaints its row; the model tester checks the range
}

}  // namespace
}  // namespace torbex::app
