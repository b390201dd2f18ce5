#pragma once

#include <QSqlQuery>
#include <optional>

#include "history/history_store.h"

namespace torbex::history {

// The register's columns in the order of pumpFieldNames(), as a SELECT lists them.
extern const QString kRegisterColumns;

// A pump from `columns` columns of `query`'s row starting at `first` (kRegisterColumns' order).
RegisteredPump pumpFromRow(const QSqlQuery& query, int first, const QString& rfid);
// The pump registered under `rfid`, nullopt when none is.
Result<std::optional<RegisteredPump>> readPump(QSqlQuery& query, const QString& rfid);
// Writes the pump, or removes it when nothing is known of it.
bool writePump(QSqlQuery& query, const RegisteredPump& pump);

// Sets a model's interval; 0 months or fewer removes it.
bool writeModelInterval(QSqlQuery& query, const ModelInterval& interval);

ChangeSource changeSourceFromName(const QString& name);

}  // namespace torbex::history
