#include "report/cmms_export.h"

#include <QIODevice>

#include "data/file_io.h"
#include "data/grid_cells.h"
#include "data/record_texts.h"
#include "data/spreadsheet_cell.h"

namespace torbex::report {
namespace {

QString tenths(const std::optional<int>& value) { return value ? data::tenthsText(*value) : QString(); }

QString isoDay(const QDate& day) { return day.isValid() ? day.toString(Qt::ISODate) : QString(); }

}  // namespace

const char* const kCmmsHeading =
    "management_number,rfid,maker,model,department,date,overall_verdict,flow_result_percent,flow_verdict,"
    "occlusion_result_kpa,occlusion_verdict,next_due,inspector,tester_serial";

data::TestsWritten writeCmmsExport(QIODevice& device, data::TestSource& tests,
                                   const std::function<PumpOnRecord(const QString& rfid)>& pumpOf,
                                   const QString& inspector) {
    QByteArray block = QByteArray("\xEF\xBB\xBF") + kCmmsHeading + "\r\n";
    QString failed;
    const auto flush = [&] {
        if (failed.isEmpty() && !data::writeWhole(device, block)) failed = device.errorString();
        block.resize(0);
        return failed.isEmpty();
    };
    int rows = 0;
    const QString readError = tests.forEach([&](const data::MeasurementRecord& r, const QString& serial) {
        if (r.rfid().isEmpty()) return true;
        const PumpOnRecord pump = pumpOf(r.rfid());
        const QDate day = r.values.date;
        const QStringList cells{data::spreadsheetCell(r.managementNumber()),
                                data::spreadsheetCell(r.rfid()),
                                data::spreadsheetCell(pump.maker),
                                data::spreadsheetCell(pump.model),
                                data::spreadsheetCell(pump.department),
                                isoDay(day),
                                data::verdictWord(data::overallVerdict(r.flowVerdict(), r.occlusionVerdict())),
                                tenths(r.flowResult()),
                                data::verdictWord(r.flowVerdict()),
                                tenths(r.occlusionResult()),
                                data::verdictWord(r.occlusionVerdict()),
                                isoDay(day.addMonths(pump.intervalMonths)),
                                data::spreadsheetCell(inspector),
                                data::spreadsheetCell(serial)};
        block += cells.join(u',').toUtf8() + "\r\n";
        ++rows;
        return block.size() < 64 * 1024 || flush();
    });
    if (!readError.isEmpty()) return data::TestsWritten::unread(readError);
    flush();
    if (!failed.isEmpty()) return data::TestsWritten::unwritten(failed);
    return data::TestsWritten::written(rows);
}

}  // namespace torbex::report
