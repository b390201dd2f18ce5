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

QString recordListing(const data::RecordStore& store) {
    QString listing;
    for (int row = 0; row < store.RecordCount; ++row) {
        const auto cells = data::gridCellTexts(store.slot(row), row);
        listing += QStringList(cells.begin(), cells.end()).join(u'\t') + u'\n';
    }
    return listing;
}

QByteArray recordListingJson(const data::RecordStore& store) {
    QJsonArray records;
    for (int row = 0; row < store.RecordCount; ++row) {
        const data::MeasurementRecord& record = store.slot(row);
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
