#include "commands/plain_text.h"

namespace torbex::commands {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

qsizetype digitsFrom(QStringView text, qsizetype pos) {
    while (pos < text.size() && isDigit(text[pos])) ++pos;
    return pos;
}

// The value of a run of at most nine digits.
std::optional<int> digitsValue(QStringView digits) {
    while (digits.size() > 1 && digits.front() == u'0') digits = digits.mid(1);  // leading zeros
    if (digits.size() > 9) return std::nullopt;
    int value = 0;
    for (QChar c : digits) value = value * 10 + (c.unicode() - u'0');
    return value;
}

}  // namespace

QStringView trimSpaces(QStringView text) {
    while (!text.isEmpty() && text.front() == u' ') text = text.mid(1);
    while (!text.isEmpty() && text.back() == u' ') text.chop(1);
    return text;
}

std::optional<DecimalText> scanDecimal(QStringView text) {
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    DecimalText number;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) number.negative = text[pos++] == u'-';
    const qsizetype wholeEnd = digitsFrom(text, pos);
    number.whole = text.mid(pos, wholeEnd - pos);
    pos = wholeEnd;
    if (pos < text.size() && text[pos] == u'.') {
        const qsizetype fractionEnd = digitsFrom(text, pos + 1);
        number.fraction = text.mid(pos + 1, fractionEnd - pos - 1);
        // A point with no digit on either side is no part of a number.
        if (!number.whole.isEmpty() || !number.fraction.isEmpty()) pos = fractionEnd;
    }
    if (number.whole.isEmpty() && number.fraction.isEmpty()) return std::nullopt;
    number.end = pos;
    return number;
}

double parseDecimal(QStringView text) {
    const std::optional<DecimalText> number = scanDecimal(text);
    if (!number) return 0;
    qsizetype end = number->end;
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-')) ++exponent;
        if (exponent < text.size() && isDigit(text[exponent])) end = digitsFrom(text, exponent);
    }
    qsizetype start = 0;
    while (isBlank(text[start])) ++start;
    bool ok = false;
    const double value = text.mid(start, end - start).toString().toDouble(&ok);
    return ok ? value : 0;
}

std::optional<int> parseTenths(QStringView text) {
    const QStringView trimmed = trimSpaces(text);
    const std::optional<DecimalText> number = scanDecimal(trimmed);
    // Whole text only: no blank of another kind in front, nothing after, one decimal at most.
    if (!number || number->end != trimmed.size() || isBlank(trimmed.front()) || number->fraction.size() > 1)
        return std::nullopt;
    const std::optional<int> whole = number->whole.isEmpty() ? 0 : digitsValue(number->whole);
    if (!whole || *whole > 99'999'999) return std::nullopt;
    const int tenths = *whole * 10 + (number->fraction.isEmpty() ? 0 : number->fraction.front().unicode() - u'0');
    return number->negative ? -tenths : tenths;
}

std::optional<int> parseWholeNumber(QStringView text) {
    const QStringView trimmed = trimSpaces(text);
    if (trimmed.isEmpty() || digitsFrom(trimmed, 0) != trimmed.size()) return std::nullopt;
    return digitsValue(trimmed);
}

}  // namespace torbex::commands
