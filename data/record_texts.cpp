#include "data/record_texts.h"

#include <cstdlib>

#include "commands/plain_text.h"

namespace torbex::data {
namespace {

const QString kDateFormat = QStringLiteral("yyyy/MM/dd");
const QString kTimeFormat = QStringLiteral("HH:mm");

// Digits where the form has letters, the form's own character elsewhere: QDate and QTime
// alone would also take signs, blanks and one-digit fields.
bool hasForm(QStringView text, QStringView form) {
    if (text.size() != form.size()) return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= u'0' && text[i] <= u'9';
        if (form[i].isLetter() ? !digit : text[i] != form[i]) return false;
    }
    return true;
}

// Right-aligned in `width`; a longer text keeps its last characters.
QString rightAligned(const QString& text, int width) { return text.rightJustified(width, u' ').right(width); }

}  // namespace

QString tenthsText(int tenths) {
    const int magnitude = std::abs(tenths);
    return QStringLiteral("%1%2.%3").arg(tenths < 0 ? QStringLiteral("-") : QString()).arg(magnitude / 10).arg(magnitude % 10);
}

void setNumberTexts(MeasurementRecord& record) {
    const Measurement& v = record.values;
    record.FlowSetting = v.flowSetting ? rightAligned(QString::number(*v.flowSetting), 3) : QString();
    record.FlowResult = v.flowResult ? rightAligned(tenthsText(*v.flowResult), 6) : QString();
    record.OcclusionSetting = v.occlusionLevel ? occlusionLevelLetter(*v.occlusionLevel) : QString();
    record.OcclusionResult = v.occlusionResult ? rightAligned(tenthsText(*v.occlusionResult), 8) : QString();
}

Measurement valuesOfTexts(const MeasurementRecord& record) {
    return {measureDateOf(record.MeasureDate.text()),
            measureTimeOf(record.MeasureTime.text()),
            commands::parseWholeNumber(record.FlowSetting.text()),
            commands::parseTenths(record.FlowResult.text()),
            occlusionLevelFromLetter(commands::trimSpaces(record.OcclusionSetting.text())),
            commands::parseTenths(record.OcclusionResult.text())};
}

QDate measureDateOf(QStringView text) {
    const QStringView date = commands::trimSpaces(text);
    if (!hasForm(date, kDateFormat)) return {};
    return QDate::fromString(date.toString(), kDateFormat);
}

QTime measureTimeOf(QStringView text) {
    const QStringView time = commands::trimSpaces(text);
    if (!hasForm(time, kTimeFormat)) return {};
    return QTime::fromString(time.toString(), kTimeFormat);
}

QString measureDateText(const QDate& date) { return date.toString(kDateFormat); }

QString measureTimeText(const QTime& time) { return time.toString(kTimeFormat); }

}  // namespace torbex::data
