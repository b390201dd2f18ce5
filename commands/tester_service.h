#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

#include "commands/outcome.h"
#include "commands/replies.h"
#include "commands/report_exchange.h"
#include "commands/requests.h"
#include "commands/tester_values.h"
#include "link/tester_link.h"

namespace torbex::commands {

struct TesterIdentity {
    QString version;
    QString serialNumber;
    CalibrationCoefficients coefficients{};
};

// Watches a download: told of every slot reached, asked whether to stop.
class DownloadProgress {
public:
    virtual ~DownloadProgress() = default;
    virtual void reached(int /*slot*/, int /*records*/) {}
    virtual bool cancelRequested() const { return false; }
};

// Everything the program asks of the tester, one operation a call, each with its outcome: the
// value, or why there is none. The window and the command-line tool both go through here. An
// operation finds the tester first when the link is down.
class TesterService {
public:
    TesterService(link::HidTransport& transport, const link::MonotonicClock& clock, link::EventPump& events);
    TesterService(const TesterService&) = delete;
    TesterService& operator=(const TesterService&) = delete;

    Outcome<Done> poll();
    Outcome<QString> readVersion();
    Outcome<CalibrationReading> readCalibration();
    Outcome<MeasurementSettings> readSettings();
    // Version, serial number and calibration coefficients.
    Outcome<TesterIdentity> identify();

    // Refuses (RefusedValue, nothing sent) a flow rate outside 5 to 150 ml/h and a level, write
    // mode, RFID use or display units that is not one digit: the tester takes digits only.
    Outcome<Done> sendSettings(const MeasurementSettings& settings);
    Outcome<Done> setClock(const QDateTime& localTime);
    Outcome<Done> writeCalibration(const CalibrationCoefficients& coefficients, const QString& serialNumber);
    Outcome<Done> changeMode(TesterMode mode);
    Outcome<Done> startProgramRewrite();

    // Every record the tester holds, slot 0 to 1000 in order. Ends as StoppedAnswering when the
    // tester is lost (three searches in a row fail) or nothing comes for five seconds, and as
    // Cancelled when the progress asks to stop; the tester is left as it was in both cases.
    Outcome<std::vector<RecordReply>> downloadRecords(DownloadProgress& progress);
    Outcome<Done> clearRecords();

    bool busy() const { return m_exchange.busy(); }
    link::TesterLink& link() { return m_link; }

    // How long a download may fetch nothing before the tester counts as lost. A time, not a
    // count: a tester that needs a moment to prepare a record answers "not ready" many times.
    static constexpr std::int64_t kMaxMsWithoutProgress = 5000;
    // Searches in a row that may fail during a download after the link was lost.
    static constexpr int kMaxFailedSearches = 3;

private:
    // Finds the tester when the link is down, then runs one exchange.
    Outcome<CommandFrame> ask(const CommandFrame& command);
    Outcome<Done> order(const CommandFrame& command);

    link::TesterLink m_link;
    ReportExchange m_exchange;
};

}  // namespace torbex::commands
