#pragma once

#include "history/sql_connection.h"

namespace torbex::history {

// The history on SQLite or PostgreSQL: one schema, one set of statements.
class SqlHistoryStore final : public HistoryStore {
public:
    explicit SqlHistoryStore(std::unique_ptr<SqlConnection> connection)
        : m_connection(std::move(connection)) {}

    const DatabaseTarget& target() const override { return m_connection->target(); }
    Result<int> recordTests(const QString& testerSerial,
                            std::span<const data::MeasurementRecord> records) override;
    Result<std::map<QString, QString>> managementNumbers() override;
    Result<Nothing> changePump(const QString& rfid, const std::map<QString, QString>& changes,
                               ChangeSource source) override;
    Result<std::optional<RegisteredPump>> findPump(const QString& rfidOrNumber) override;
    Result<std::vector<RegisteredPump>> registeredPumps() override;
    Result<int> importRegister(const std::vector<RegisteredPump>& pumps,
                               const std::vector<ModelInterval>& intervals, ChangeSource source) override;
    Result<Nothing> setModelInterval(const ModelInterval& interval) override;
    Result<std::vector<ModelInterval>> modelIntervals() override;
    Result<std::vector<NumberConflict>> learnNumbers(
        std::span<const data::MeasurementRecord> records, ChangeSource source) override;
    Result<ImportSummary> recordDataFile(std::span<const data::MeasurementRecord> records) override;
    Result<std::vector<PumpSummary>> pumps(int intervalMonths) override;
    Result<Nothing> eachTest(const TestQuery& query,
                             const std::function<bool(const KeptTest&)>& each) override;
    Result<std::vector<AuditEntry>> audit(const QString& rfid) override;
    Result<int> testCount() override;
    Result<bool> integrityOk() override;
    Result<Nothing> copyTo(const QString& path) override;
    Result<Nothing> replaceWith(const QString& path) override;

private:
    // The parts of the operations above, run inside a transaction the caller holds.
    static Result<int> insertTests(QSqlDatabase& db, const QString& testerSerial,
                                   std::span<const data::MeasurementRecord> records);
    Result<std::vector<NumberConflict>> insertNumbers(
        QSqlDatabase& db, std::span<const data::MeasurementRecord> records, ChangeSource source);

    std::unique_ptr<SqlConnection> m_connection;
};

}  // namespace torbex::history
