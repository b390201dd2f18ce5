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

int digits(QStringView text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) value = value * 10 + (text[i].unicode() - u'0');
    return value;
}

// Written by hand: these run for every test of a history of years, and QDate's own parser and
// formatter cost more than everything else a test needs together.
void appendDigits(QString& text, int value, int width) {
    QChar digits[8];
    for (int i = width - 1; i >= 0; --i, value /= 10) digits[i] = QChar(u'0' + value % 10);
    text.append(digits, width);
}

// Right-aligned in `width`; a longer text keeps its last characters.
QString rightAligned(const QString& text, int width) { return text.rightJustified(width, u' ').right(width); }

}  // namespace

QString tenthsText(int tenths) {
    const int magnitude = std::abs(tenths);
    QString text = QString::number(magnitude / 10);
    if (tenths < 0) text.prepend(u'-');
    text.append(u'.');
    text.append(QChar(u'0' + magnitude % 10));
    return text;
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
    return QDate(digits(date, 0, 4), digits(date, 5, 2), digits(date, 8, 2));  // invalid unless a day
}

QTime measureTimeOf(QStringView text) {
    const QStringView time = commands::trimSpaces(text);
    if (!hasForm(time, kTimeFormat)) return {};
    const int hour = digits(time, 0, 2), minute = digits(time, 3, 2);
    return QTime::isValid(hour, minute, 0) ? QTime(hour, minute) : QTime();
}

QString measureDateText(const QDate& date) {
    if (!date.isValid() || date.year() < 0 || date.year() > 9999) return {};
    QString text;
    text.reserve(10);
    appendDigits(text, date.year(), 4);
    text.append(u'/');
    appendDigits(text, date.month(), 2);
    text.append(u'/');
    appendDigits(text, date.day(), 2);
    return text;
}

QString measureTimeText(const QTime& time) {
    if (!time.isValid()) return {};
    QString text;
    text.reserve(5);
    appendDigits(text, time.hour(), 2);
    text.append(u':');
    appendDigits(text, time.minute(), 2);
    return text;
}

}  // namespace torbex::data
