// The form of a data file's lines: what the reader splits, and what an import insists on.
#include "data/csv_line.h"

#include <QStringList>

#include "commands/plain_text.h"
#include "data/management_number.h"
#include "data/record_texts.h"

namespace torbex::data {
namespace {

bool isUpperHex(QStringView text) {
    for (QChar c : text)
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'))) return false;
    return true;
}

// A result as written: "------", or a number with one decimal ("##0.0", a sign allowed) that fits
// its column.
bool resultInForm(QStringView column, int width) {
    const QStringView text = commands::trimSpaces(column);
    if (text == kNotMeasured) return true;
    const std::optional<commands::DecimalText> number = commands::scanDecimal(text);
    return number && number->end == text.size() && !number->whole.isEmpty() && number->fraction.size() == 1 &&
           text.front() != u'+' && text.size() <= width && commands::parseTenths(text).has_value();
}

bool verdictInForm(QStringView verdict, QStringView result) {
    const QStringView text = commands::trimSpaces(verdict);
    if (commands::trimSpaces(result) == kNotMeasured) return text == kNoJudgement;
    return text == kPass || text == kFail;
}

}  // namespace

const QString& csvHeadingLine() {
    static const QString line = QStringList{QStringLiteral("ｼﾘﾝｼﾞﾎﾟﾝﾌﾟRFID"), QStringLiteral("管理番号"),
                                            QStringLiteral("測定日"),           QStringLiteral("測定時刻"),
                                            QStringLiteral("流量設定(ml/h)"),   QStringLiteral("流量測定結果(%)"),
                                            QStringLiteral("流量測定判定"),     QStringLiteral("閉塞設定"),
                                            QStringLiteral("閉塞測定結果(kpa)"), QStringLiteral("閉塞測定判定")}
                                    .join(QStringLiteral(", "));
    return line;
}

std::optional<CsvFields> splitCsvLine(QStringView line) {
    CsvFields fields;
    qsizetype start = 0;
    for (qsizetype comma = line.indexOf(u','); comma >= 0; comma = line.indexOf(u',', start)) {
        if (fields.size() >= kMaxCsvFields) return std::nullopt;
        fields.append(line.mid(start, comma - start));
        start = comma + 1;
    }
    if (start < line.size()) {
        if (fields.size() >= kMaxCsvFields) return std::nullopt;
        fields.append(line.mid(start));
    }
    return fields;
}

std::optional<LineFault> lineFault(const CsvFields& f) {
    if (f.size() != kCsvColumns) return LineFault::Columns;
    const QStringView rfid = commands::trimSpaces(f[0]);
    if (!rfid.isEmpty() && (rfid.size() != 16 || !isUpperHex(rfid))) return LineFault::Rfid;
    const QString number = commands::trimSpaces(f[1]).toString();
    if (!isManagementNumber(number)) return LineFault::ManagementNumber;
    if (!measureDateOf(f[2]).isValid()) return LineFault::Date;
    if (!measureTimeOf(f[3]).isValid()) return LineFault::Time;
    const std::optional<int> setting = commands::parseWholeNumber(f[4]);
    if (!setting || *setting > 999) return LineFault::FlowSetting;
    if (!resultInForm(f[5], 6)) return LineFault::FlowResult;
    if (!verdictInForm(f[6], f[5])) return LineFault::FlowVerdict;
    if (!occlusionLevelFromLetter(commands::trimSpaces(f[7]))) return LineFault::Level;
    if (!resultInForm(f[8], 8)) return LineFault::OcclusionResult;
    if (!verdictInForm(f[9], f[8])) return LineFault::OcclusionVerdict;
    return std::nullopt;
}

QString describe(LineFault fault) {
    switch (fault) {
        case LineFault::Heading: return QStringLiteral("not the data file's heading");
        case LineFault::Columns: return QStringLiteral("not ten columns");
        case LineFault::Rfid: return QStringLiteral("an RFID that is not 16 hexadecimal digits");
        case LineFault::ManagementNumber: return QStringLiteral("a management number the editor would refuse");
        case LineFault::Date: return QStringLiteral("a date not written yyyy/mm/dd");
        case LineFault::Time: return QStringLiteral("a time not written hh:mm");
        case LineFault::FlowSetting: return QStringLiteral("a flow setting that is not a whole number of up to 3 digits");
        case LineFault::FlowResult: return QStringLiteral("a flow result that is neither ------ nor a number with one decimal");
        case LineFault::FlowVerdict: return QStringLiteral("a flow verdict that does not match its result");
        case LineFault::Level: return QStringLiteral("an occlusion level that is not L, M or H");
        case LineFault::OcclusionResult:
            return QStringLiteral("an occlusion result that is neither ------ nor a number with one decimal");
        case LineFault::OcclusionVerdict: return QStringLiteral("an occlusion verdict that does not match its result");
    }
    return {};
}

}  // namespace torbex::data
