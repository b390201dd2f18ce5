#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "data/measurement_record.h"
#include "data/test_source.h"

namespace torbex::history {

// The value of a history operation, or why there is none (the database's own words).
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}  // NOLINT: a result is its value
    static Result failure(QString reason) { return Result(Failed{std::move(reason)}); }

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<T>(m_state); }
    T& value() & { return std::get<T>(m_state); }
    // A temporary result gives its value away, so `for (x : store.tests(rfid).value())` reads
    // no destroyed result.
    T value() && { return std::move(std::get<T>(m_state)); }
    const QString& error() const { return std::get<Failed>(m_state).reason; }

private:
    struct Failed {
        QString reason;
    };
    explicit Result(Failed failed) : m_state(std::move(failed)) {}
    std::variant<T, Failed> m_state;
};

struct Nothing {};

// Where the history is kept: an SQLite file, or a PostgreSQL database named by a libpq
// connection string ("host=... dbname=...") or a service name.
struct DatabaseTarget {
    enum class Kind { Sqlite, Postgres };
    Kind kind = Kind::Sqlite;
    QString location;  // the file, or the connection string

    // "sqlite:PATH": that file. A text holding "=", or a postgresql:// or postgres:// URI: a
    // libpq connection string. A path ending in .sqlite or .db: that file. Any other word: a
    // PostgreSQL service name.
    static DatabaseTarget fromText(const QString& text);
    friend bool operator==(const DatabaseTarget&, const DatabaseTarget&) = default;
};

// The database to use: `chosen` (the tool's --database) when given, else TORBEX_DATABASE, else a
// "[history] database=" line in torbex.conf in the first of `settingsFolders` that holds one
// (the folders Setting.ini may live in), else history.sqlite in the user's application-data
// folder (QStandardPaths::AppDataLocation of the application "torbex").
DatabaseTarget chooseDatabase(const QStringList& settingsFolders, const std::optional<QString>& chosen = std::nullopt);

// Months from a pump's last test to its next one: "[history] interval=N" in torbex.conf, 12 when
// absent. A value that is not a whole number from 1 to 120 gives 12 and says why in `problem`.
struct InspectionInterval {
    int months = 12;
    QString problem;
};
InspectionInterval inspectionIntervalMonths(const QStringList& settingsFolders);
// "[report] inspector=" in torbex.conf: who signs reports and exports; empty when not set.
QString configuredInspector(const QStringList& settingsFolders);
// "[ui] language=" in torbex.conf: the interface language asked for; empty when not set.
QString configuredLanguage(const QStringList& settingsFolders);

// Who changed a management number in the registry.
enum class ChangeSource { Editor, File, Tool };

// One test as the history keeps it: its record as the data grid would show it, with the
// registry's number for its pump at the time of the query, and the tester that measured it.
struct KeptTest {
    QString testerSerial;  // empty when it came from a data file
    data::MeasurementRecord record;
};

// Which tests: one pump's, or every pump's when rfid is empty; only those on or after `since`
// when it is valid.
struct TestQuery {
    QString rfid;
    QDate since;
    bool byPump = false;  // pump by pump (by RFID), rather than all in the order they were taken
};

// What the register knows of a pump besides its number; empty texts where nothing is known.
struct PumpDetails {
    QString maker;
    QString model;
    QString serial;  // the pump's own
    QString department;
    QString location;
    bool retired = false;  // in service unless retired
    QString notes;
    friend bool operator==(const PumpDetails&, const PumpDetails&) = default;
};

// A pump as the register holds it.
struct RegisteredPump {
    QString rfid;
    QString managementNo;
    PumpDetails details;
};

// How many months a model's pumps go between inspections.
struct ModelInterval {
    QString maker;
    QString model;
    int months = 12;
};

// A pump in the registry or the history, with its last test.
struct PumpSummary {
    QString rfid;
    QString managementNo;
    int tests = 0;
    QString lastDate;  // yyyy-MM-dd of the last test
    data::Verdict lastFlow = data::Verdict::NotMeasured;
    data::Verdict lastOcclusion = data::Verdict::NotMeasured;
    QDate due;         // the last test plus the interval; invalid for a pump never tested
    PumpDetails details;
    int intervalMonths = 12;  // its model's, or the department's
};

// A data file's management number that differs from the registry's.
struct NumberConflict {
    QString rfid;
    QString registered;
    QString inFile;
};

// What an import, or one data file of it, added to the history.
struct ImportSummary {
    int files = 0;
    int added = 0;
    std::vector<NumberConflict> conflicts;
};

// One change of one field of a pump (see register_fields.h for the fields' names).
struct AuditEntry {
    QString rfid;
    QString field;
    QString oldValue;
    QString newValue;
    QString changedBy;  // the system's user name
    QString changedAt;  // ISO 8601, UTC
    ChangeSource source = ChangeSource::Tool;
};

// The history of every test and the registry of pumps, on SQLite or PostgreSQL with one schema.
// Every statement is parameterised; every operation that writes runs in one transaction.
class HistoryStore {
public:
    virtual ~HistoryStore() = default;

    // Opens (creating an SQLite file and its folder when needed), then brings the schema up to
    // date. A database whose schema is newer than this program knows is refused, never altered.
    static Result<std::unique_ptr<HistoryStore>> open(const DatabaseTarget& target);
    // Where this history is kept.
    virtual const DatabaseTarget& target() const = 0;

    // Adds the tests of a download or a data file; a test already kept (same RFID, date, time and
    // results; a test from a file, which has no tester serial, matches one from any tester) is
    // not added again. The value is the number of tests added.
    virtual Result<int> recordTests(const QString& testerSerial, std::span<const data::MeasurementRecord> records) = 0;

    // The registry: RFID to management number, for the pumps that have one.
    virtual Result<std::map<QString, QString>> managementNumbers() = 0;
    // Changes a pump's fields, given by their names in register_fields.h, values already checked;
    // the others stay. Each change is audited: who, when, from where, the old and the new value.
    // A pump left with nothing known is no longer registered.
    virtual Result<Nothing> changePump(const QString& rfid, const std::map<QString, QString>& changes,
                                       ChangeSource source) = 0;
    // Sets a pump's number (a blank number removes it).
    Result<Nothing> setManagementNumber(const QString& rfid, const QString& number, ChangeSource source);
    // The pump with this RFID, or else with this management number; nullopt when none is
    // registered. Two pumps sharing the number asked for is an error naming them.
    virtual Result<std::optional<RegisteredPump>> findPump(const QString& rfidOrNumber) = 0;
    // Every pump the register holds.
    virtual Result<std::vector<RegisteredPump>> registeredPumps() = 0;
    // A whole register taken in one transaction, or nothing of it: each pump's fields set as given
    // (each change audited), then the models' intervals. The number of pumps that changed.
    virtual Result<int> importRegister(const std::vector<RegisteredPump>& pumps,
                                       const std::vector<ModelInterval>& intervals, ChangeSource source) = 0;
    // Sets a model's inspection interval; 0 months removes it (the department's applies again).
    virtual Result<Nothing> setModelInterval(const ModelInterval& interval) = 0;
    virtual Result<std::vector<ModelInterval>> modelIntervals() = 0;
    // Learns the RFID/number pairs of records: unknown pumps are registered; a number that
    // differs from the registry's is not taken but given back.
    virtual Result<std::vector<NumberConflict>> learnNumbers(std::span<const data::MeasurementRecord> records,
                                                            ChangeSource source) = 0;
    // One data file in one transaction: its tests, recorded without a tester serial, and its
    // numbers, learnt with source File.
    virtual Result<ImportSummary> recordDataFile(std::span<const data::MeasurementRecord> records) = 0;

    // Every pump with an RFID, with its last test; due its model's interval after it, or
    // `intervalMonths` when its model has none.
    virtual Result<std::vector<PumpSummary>> pumps(int intervalMonths) = 0;
    // The tests asked for, oldest first, one at a time without holding them all; `each` returns
    // false to stop early.
    virtual Result<Nothing> eachTest(const TestQuery& query, const std::function<bool(const KeptTest&)>& each) = 0;
    // The same, gathered.
    Result<std::vector<KeptTest>> tests(const TestQuery& query);
    // One pump's changes, or every pump's when rfid is empty, oldest first.
    virtual Result<std::vector<AuditEntry>> audit(const QString& rfid) = 0;

    // The number of tests kept, and whether the database is whole (SQLite's integrity check;
    // PostgreSQL answers for itself).
    virtual Result<int> testCount() = 0;
    virtual Result<bool> integrityOk() = 0;

    // SQLite only: a consistent copy of the whole database written to `path`, which must not
    // exist yet, while others go on using it.
    virtual Result<Nothing> copyTo(const QString& path) = 0;
    // SQLite only: every table's rows replaced, in one transaction, by those of the history at
    // `path`, whose schema is this program's own.
    virtual Result<Nothing> replaceWith(const QString& path) = 0;
};

// Whether the SQLite file at `path` is a whole history this program can use, read without
// changing it: empty when it is, else why not.
Result<Nothing> checkHistoryCopy(const QString& path);

// The tests a query on the history finds, for a report or an export.
class HistoryTestSource final : public data::TestSource {
public:
    HistoryTestSource(HistoryStore& store, TestQuery query) : m_store(store), m_query(std::move(query)) {}
    QString forEach(const Each& each) override;

private:
    HistoryStore& m_store;
    TestQuery m_query;
};

}  // namespace torbex::history
