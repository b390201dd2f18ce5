#pragma once

#include "history/sql_connection.h"

namespace torbex::history {

// The newest schema this program knows.
int knownSchemaVersion();

// The schema version of a history database (0 when empty); a database that is no history of
// this program's, or of a newer one, is refused with the reason.
Result<int> readSchemaVersion(QSqlDatabase& db, Dialect dialect);

// Brings the schema up to the newest this program knows, one migration at a time in one
// transaction, so processes opening a new database at once create it once. A database whose
// schema is newer, or that holds tables but is no history of this program's, is refused and left
// as it is: its version is read before anything changes, an SQLite file's journal mode included.
Result<Nothing> upgradeSchema(SqlConnection& connection);

}  // namespace torbex::history
