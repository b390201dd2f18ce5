#include "cli/record_listing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "data/grid_cells.h"

namespace torbex::cli {
namespace {

QString colourName(data::CellColour colour) {
    switch (colour) {
        case data::CellColour::Red: return QStringLiteral("red");
        case data::CellColour::Black: return QStringLiteral("black");
        case data::CellColour::Normal: break;
    }
    return QStringLiteral("normal");
}

}  // namespace

// A tab would split the listing's columns and other control characters (escape sequences, NUL)
// would act on the terminal, so they are written as escapes.
QString terminalText(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'\t') {
            shown += QStringLiteral("\\t");
        } else if (code < 0x20 || (code >= 0x7F && code < 0xA0)) {
            shown += QStringLiteral("\\x%1").arg(int{code}, 2, 16, QLatin1Char('0'));
        } else {
            shown += c;
        }
    }
    return shown;
}

QString recordListing(const data::RecordStore& store) {
    QString listing;
    for (int row = 0; row < store.count(); ++row) {
        QStringList cells;
        for (const QString& cell : data::gridCellTexts(store.record(row), row)) cells.append(terminalText(cell));
        listing += cells.join(u'\t') + u'\n';
    }
    return listing;
}

QByteArray recordListingJson(const data::RecordStore& store) {
    QJsonArray records;
    for (int row = 0; row < store.count(); ++row) {
        const data::MeasurementRecord& record = store.record(row);
        const auto cells = data::gridCellTexts(record, row);
        records.append(QJsonObject{
            {QStringLiteral("cells"), QJsonArray::fromStringList(QStringList(cells.begin(), cells.end()))},
            {QStringLiteral("flowColour"), colourName(data::flowJudgement(record).colour)},
            {QStringLiteral("occlusionColour"), colourName(data::occlusionJudgement(record).colour)},
        });
    }
    return QJsonDocument(records).toJson(QJsonDocument::Indented);
}

}  // namespace torbex::cli
