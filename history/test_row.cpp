#include "history/test_row.h"

#include <QDate>
#include <cmath>

#include "commands/protocol.h"

namespace torbex::history {
namespace {

QString trimmed(const QString& text) { return commands::trimSpaces(text).toString(); }

// The dates sort as text; one that is no date is kept as the tester gave it.
QString isoDate(const QString& text) {
    const QDate date = QDate::fromString(trimmed(text), QStringLiteral("yyyy/MM/dd"));
    return date.isValid() ? date.toString(Qt::ISODate) : trimmed(text);
}

}  // namespace

std::optional<int> tenths(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    // Eight characters hold no more than this; the bound also keeps "inf" out.
    if (!ok || !(std::abs(value) < 1e8)) return std::nullopt;
    return static_cast<int>(std::lround(value * 10));
}

TestRow testRow(const data::MeasurementRecord& record) {
    TestRow row;
    if (record.has(data::RfidPresent)) row.rfid = trimmed(record.PumpRfid.text());
    row.measureDate = isoDate(record.MeasureDate.text());
    row.measureTime = trimmed(record.MeasureTime.text());
    row.status = record.status;
    if (!record.has(data::FlowMeasured)) row.status &= ~data::FlowPass;
    if (!record.has(data::OcclusionMeasured)) row.status &= ~data::OcclusionPass;
    row.flowSetting = trimmed(record.FlowSetting.text()).toInt();
    if (record.has(data::FlowMeasured)) row.flowResultTenths = tenths(record.FlowResult.text());
    row.occlusionLevel = trimmed(record.OcclusionSetting.text());
    if (record.has(data::OcclusionMeasured))
        row.occlusionResultTenths = tenths(record.OcclusionResult.text());
    return row;
}

}  // namespace torbex::history
