#include "workflow/register_csv.h"

#include "workflow/field_texts.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <map>
#include <set>

#include "data/cp932.h"
#include "data/file_io.h"
#include "data/management_number.h"
#include "data/spreadsheet_cell.h"
#include "history/register_fields.h"

namespace torbex::workflow {
namespace {

// The fields in the file's order, by their register names; the interval is the model's.
const QStringList kColumns{QStringLiteral("rfid"),     QStringLiteral("number"),   QStringLiteral("maker"),
                           QStringLiteral("model"),    QStringLiteral("serial"),   QStringLiteral("department"),
                           QStringLiteral("location"), QStringLiteral("status"),   QStringLiteral("interval"),
                           QStringLiteral("notes")};
constexpr int kLongestInterval = 120;

// The file's lines split into cells (a quoted cell may hold separators, quotes and line breaks),
// each with the number of the line it starts on; nullopt when a quote is left open.
std::optional<std::vector<std::pair<int, QStringList>>> rows(const QString& text) {
    std::vector<std::pair<int, QStringList>> rows;
    QStringList cells;
    QString cell;
    bool inQuotes = false, any = false;
    int line = 1, startLine = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                if (c == u'\n') ++line;
                cell += c;
            }
        } else if (c == u'"') {
            inQuotes = any = true;
        } else if (c == u',') {
            cells << cell;
            cell.clear();
            any = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            if (any || !cell.isEmpty()) rows.push_back({startLine, cells << cell});
            cells.clear();
            cell.clear();
            any = false;
            startLine = ++line;
        } else {
            cell += c;
            any = true;
        }
    }
    if (inQuotes) return std::nullopt;
    if (any || !cell.isEmpty()) rows.push_back({startLine, cells << cell});
    return rows;
}

std::optional<QString> decoded(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes.mid(3));
        return utf8.hasError() ? std::nullopt : std::optional(text);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    return data::decodeCp932(bytes);
}

// Why a cell cannot be taken, in the tool's words; empty when it can.
}  // namespace

const char* const kRegisterHeading =
    "rfid,management_number,maker,model,serial,department,location,status,interval_months,notes";

std::variant<RegisterFile, RegisterProblems> readRegisterCsv(const QByteArray& bytes) {
    RegisterProblems problems;
    const std::optional<QString> text = decoded(bytes);
    const auto lines = text ? rows(*text) : std::nullopt;
    if (!text) problems.lines.push_back({0, QStringLiteral("neither UTF-8 nor code page 932")});
    else if (!lines) problems.lines.push_back({0, QStringLiteral("a quote is left open")});
    else if (lines->empty() || lines->front().second.join(u',') != QLatin1String(kRegisterHeading))
        problems.lines.push_back({1, QStringLiteral("not the register's heading: %1").arg(QLatin1String(kRegisterHeading))});
    if (!problems.lines.empty()) return problems;

    static const QRegularExpression rfidForm(QStringLiteral("^[0-9A-Fa-f]{16}$"));
    RegisterFile file;
    std::set<QString> seen;
    std::map<std::pair<QString, QString>, std::pair<int, int>> intervals;  // model: months, first line
    for (auto row = lines->begin() + 1; row != lines->end(); ++row) {
        const int line = row->first;  // a lambda below takes it: no structured binding
        const QStringList& cells = row->second;
        const auto fail = [&](const QString& why) { problems.lines.push_back({line, why}); };
        if (cells.size() != kColumns.size()) {
            fail(QStringLiteral("%1 cells, not %2").arg(cells.size()).arg(kColumns.size()));
            continue;
        }
        std::map<QString, QString> value;
        for (int c = 0; c < kColumns.size(); ++c) value[kColumns[c]] = data::withoutFormulaGuard(cells[c]).trimmed();
        const QString rfid = value[QStringLiteral("rfid")].toUpper();
        if (!rfidForm.match(rfid).hasMatch()) {
            fail(QStringLiteral("an RFID is 16 hexadecimal digits"));
            continue;
        }
        if (!seen.insert(rfid).second) {
            fail(QStringLiteral("%1 stands on an earlier line too").arg(rfid));
            continue;
        }
        if (value[QStringLiteral("status")].isEmpty()) value[QStringLiteral("status")] = history::statusWord(false);
        QString why;
        for (const QString& field : history::pumpFieldNames())
            if (why.isEmpty()) why = texts::fieldProblemText(field, value[field], field);
        const QString months = value[QStringLiteral("interval")];
        bool whole = false;
        const int interval = months.toInt(&whole);
        if (why.isEmpty() && !months.isEmpty() && (!whole || interval < 1 || interval > kLongestInterval))
            why = QStringLiteral("the interval is whole months from 1 to %1").arg(kLongestInterval);
        const std::pair model{value[QStringLiteral("maker")], value[QStringLiteral("model")]};
        if (why.isEmpty() && !months.isEmpty()) {
            const auto [given, added] = intervals.try_emplace(model, interval, line);
            if (!added && given->second.first != interval)
                why = QStringLiteral("line %1 gives this model another interval").arg(given->second.second);
        }
        if (!why.isEmpty()) {
            fail(why);
            continue;
        }
        value[QStringLiteral("number")] = data::managementNumberToStore(value[QStringLiteral("number")]);
        history::RegisteredPump pump{rfid, {}, {}};
        for (const QString& field : history::pumpFieldNames()) history::setFieldValue(pump, field, value[field]);
        file.pumps.push_back(std::move(pump));
    }
    if (!problems.lines.empty()) return problems;
    for (const auto& [model, months] : intervals) file.intervals.push_back({model.first, model.second, months.first});
    return file;
}

std::variant<RegisterFile, RegisterProblems> readRegisterFile(const QString& path) {
    const data::FileBytes read = data::readRegularFile(path, data::kMaxDataFileBytes);
    if (!read.error.isEmpty()) return RegisterProblems{{{0, read.error}}};
    return readRegisterCsv(read.bytes);
}

QByteArray registerCsv(const std::vector<history::PumpSummary>& pumps, const std::vector<history::ModelInterval>& models) {
    std::map<std::pair<QString, QString>, int> own;
    for (const history::ModelInterval& m : models) own[{m.maker, m.model}] = m.months;
    QString text = QLatin1String(kRegisterHeading) + QStringLiteral("\r\n");
    for (const history::PumpSummary& p : pumps) {
        const history::PumpDetails& d = p.details;
        const auto interval = own.find({d.maker, d.model});
        const auto cell = data::spreadsheetCell;
        text += QStringList{p.rfid,         cell(p.managementNo), cell(d.maker),    cell(d.model),
                            cell(d.serial), cell(d.department),   cell(d.location), history::statusWord(d.retired),
                            interval != own.end() ? QString::number(interval->second) : QString(), cell(d.notes)}
                    .join(u',') +
                QStringLiteral("\r\n");
    }
    return "\xEF\xBB\xBF" + text.toUtf8();
}

}  // namespace torbex::workflow
