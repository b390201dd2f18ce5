#include "data/management_number.h"

#include <QRegularExpression>
#include <array>
#include <utility>

#include "commands/plain_text.h"
#include "data/cp932.h"

namespace torbex::data {
namespace {

constexpr int kStoredLength = 10;

// Symbols that input methods on Linux and macOS give in a form code page 932 has no code for,
// while it holds the same symbol in another form (the one Windows input gives).
constexpr std::array<std::pair<char16_t, char16_t>, 7> kCp932Forms{{
    {u'\u301C', u'\uFF5E'},  // wave dash -> full-width tilde
    {u'\u2212', u'\uFF0D'},  // minus sign -> full-width hyphen-minus
    {u'\u2016', u'\u2225'},  // double vertical line -> parallel to
    {u'\u00A2', u'\uFFE0'},  // cent sign
    {u'\u00A3', u'\uFFE1'},  // pound sign
    {u'\u00AC', u'\uFFE2'},  // not sign
    {u'\u2014', u'\u2015'},  // em dash -> horizontal bar
}};

QString inCp932Forms(const QString& entry) {
    QString text = entry;
    for (QChar& c : text) {
        for (const auto& [other, cp932] : kCp932Forms)
            if (c.unicode() == other) c = QChar(cp932);
    }
    return text;
}

// The characters the record will hold.
QString keptCharacters(const QString& entry) { return commands::trimSpaces(inCp932Forms(entry)).toString(); }

// A sign before a plain number ("-001") is a number in a spreadsheet, not a formula.
bool isPlainNumber(QStringView text) {
    static const QRegularExpression number(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    return number.match(text.toString()).hasMatch();
}

}  // namespace

QString managementNumberToStore(const QString& entry) { return keptCharacters(entry); }

bool isManagementNumber(const QString& number) { return !managementNumberProblem(number); }

std::optional<ManagementNumberProblem> managementNumberProblem(const QString& entry) {
    const QString kept = keptCharacters(entry);
    if (kept.size() > kStoredLength) return ManagementNumberProblem::Length;
    for (QChar c : kept) {
        if (c == u',' || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return ManagementNumberProblem::Characters;
    }
    if (!encodeCp932(kept)) return ManagementNumberProblem::Characters;
    if (kept.isEmpty()) return std::nullopt;
    const QChar first = kept.front();
    if (first == u'=' || first == u'@') return ManagementNumberProblem::Formula;
    if ((first == u'+' || first == u'-') && !isPlainNumber(commands::trimSpaces(QStringView(kept).mid(1))))
        return ManagementNumberProblem::Formula;
    return std::nullopt;
}

}  // namespace torbex::data
