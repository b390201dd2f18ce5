#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>
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

    // Every record the tester holds, slot 0 to 1000 in order. A tester that drops off the bus is
    // searched for again at intervals. Ends as StoppedAnswering when five seconds pass without a
    // record or a skip (the tester gone, silent, not ready or garbled), and as Cancelled when the
    // progress asks to stop; the tester is left as it was in both cases.
    Outcome<std::vector<RecordReply>> downloadRecords(DownloadProgress& progress);
    Outcome<Done> clearRecords();

    // Also while a download waits for its tester between two exchanges.
    bool busy() const { return m_exchange.busy() || m_downloading; }
    link::TesterLink& link() { return m_link; }

    // How the waits between searches let time pass, in slices with the window's events run
    // between them. By default it sleeps; tests advance a manual clock instead.
    void setPause(std::function<void(int ms)> pause) { m_pause = std::move(pause); }

    // How long a download may fetch nothing before the tester counts as lost. A time, not a
    // count: a tester that needs a moment to prepare a record answers "not ready" many times.
    static constexpr std::int64_t kMaxMsWithoutProgress = 5000;
    // Between searches for a tester lost during a download: often enough to catch a brief drop
    // off the bus, seldom enough not to keep the bus busy.
    static constexpr int kSearchIntervalMs = 250;

private:
    // Finds the tester when the link is down, then runs one exchange.
    Outcome<CommandFrame> ask(const CommandFrame& command);
    Outcome<Done> order(const CommandFrame& command);
    Outcome<std::vector<RecordReply>> fetchRecords(DownloadProgress& progress);
    // Searches until the tester is back; the failure when the download must end instead.
    std::optional<Failure> findTesterAgain(std::int64_t lastProgressMs, const DownloadProgress& progress);
    void waitWithEvents(int ms, const DownloadProgress& progress);

    link::TesterLink m_link;
    ReportExchange m_exchange;
    std::function<void(int ms)> m_pause;
    bool m_downloading = false;
};

}  // namespace torbex::commands
