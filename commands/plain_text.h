#pragma once

#include <QString>
#include <optional>

namespace torbex::commands {

// The text without the spaces (U+0020 only) at its ends; other blanks belong to the text.
QStringView trimSpaces(QStringView text);

// The decimal number a text starts with, as written: blanks skipped, an optional sign, digits
// (leading zeros allowed) and an optional point with more digits. The one reader of decimal text;
// the functions below take from it what they need.
struct DecimalText {
    bool negative = false;
    QStringView whole;     // digits before the point, possibly none (".5")
    QStringView fraction;  // digits after the point, possibly none ("5." or "5")
    qsizetype end = 0;     // where the number ends in the text
};
std::optional<DecimalText> scanDecimal(QStringView text);

// A decimal number at the start of text: leading blanks skipped, the number ends at the first
// character that cannot continue it (an exponent counts only when digits follow it), no
// leading number gives 0.
double parseDecimal(QStringView text);

// A whole text (spaces around it allowed) that is a decimal number with at most one decimal, in
// tenths: "  99.5" is 995, "-1.5" is -15, "00.5" and ".5" are 5, "100" is 1000. nullopt for
// anything else, and for a value beyond ±99,999,999.9.
std::optional<int> parseTenths(QStringView text);

// A whole text (spaces around it allowed) of decimal digits, at most nine of them, leading zeros
// allowed; nullopt for anything else.
std::optional<int> parseWholeNumber(QStringView text);

}  // namespace torbex::commands
