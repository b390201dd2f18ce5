#include "workflow/reports.h"

#include "history/system_user.h"
#include "report/cmms_export.h"
#include "report/json_export.h"
#include "workflow/download.h"

namespace torbex::workflow {
namespace {

// The tests of one pump as the history gave them, each with its own tester.
class KeptTestsSource final : public data::TestSource {
public:
    explicit KeptTestsSource(const std::vector<history::KeptTest>& tests) : m_tests(tests) {}
    QString forEach(const Each& each) override {
        for (const history::KeptTest& test : m_tests)
            if (!each(test.record, test.testerSerial)) break;
        return {};
    }

private:
    const std::vector<history::KeptTest>& m_tests;
};

// A file written whole from the tests, or left as it was.
data::TestsWritten writeFile(const QString& path, const std::function<data::TestsWritten(QIODevice&)>& write) {
    data::TestsWritten written;
    const data::FileOutcome file = data::writeFileStreamed(path, [&](QIODevice& device) {
        written = write(device);
        return written.error;
    });
    if (written.ok() && !file.ok()) written = data::TestsWritten::unwritten(file.error);
    return written;
}

data::TestsWritten writePdf(const QString& path, data::TestSource& tests, const report::ReportContext& context) {
    return writeFile(path, [&](QIODevice& device) { return report::writePdfReport(device, tests, context); });
}

// The register as the export looks pumps up in it; without a registry, or when it cannot be read,
// no pump's entry is known.
report::RegisterLookup registerLookup(history::HistoryStore* registry) {
    if (!registry) return {};
    const auto pumps = registry->registeredPumps();
    if (!pumps) return {};
    auto entries = std::make_shared<std::map<QString, report::RegisterEntry>>();
    for (const history::RegisteredPump& p : pumps.value()) {
        const history::PumpDetails& d = p.details;
        (*entries)[p.rfid] = {d.maker, d.model, d.serial, d.department, d.location, d.retired};
    }
    return [entries](const QString& rfid) -> std::optional<report::RegisterEntry> {
        const auto found = entries->find(rfid);
        return found != entries->end() ? std::optional(found->second) : std::nullopt;
    };
}

data::TestsWritten writeJson(const QString& path, data::TestSource& tests, const QDateTime& exportedAt,
                             history::HistoryStore* registry) {
    const report::RegisterLookup lookup = registerLookup(registry);
    return writeFile(path, [&](QIODevice& device) { return report::writeJsonExport(device, tests, exportedAt, lookup); });
}

}  // namespace

Authorship authorshipNow(const QStringList& settingsFolders) {
    return {inspectorName(settingsFolders), QDateTime::currentDateTime()};
}

RecordsInHand withRegistryNumbers(RecordsInHand records, history::HistoryStore* registry) {
    // Without a registry the records' own numbers stand.
    if (registry) {
        if (const auto numbers = registry->managementNumbers()) fillManagementNumbers(records.records, numbers.value());
    }
    return records;
}

PumpRead pumpTests(history::HistoryStore& store, const QString& rfid, int defaultIntervalMonths) {
    auto tests = store.tests({rfid, {}});
    if (!tests) return {{}, tests.error()};
    PumpRead read{pumpTests(rfid, std::move(tests.value())), {}};
    const auto registered = store.findPump(rfid);
    const auto models = store.modelIntervals();
    if (!registered || !models) return {{}, !registered ? registered.error() : models.error()};
    int months = defaultIntervalMonths;
    if (const auto& pump = registered.value()) {
        read.pump.details = pump->details;
        for (const history::ModelInterval& m : models.value())
            if (m.maker == pump->details.maker && m.model == pump->details.model) months = m.months;
    }
    if (!read.pump.tests.empty()) read.pump.nextDue = read.pump.tests.back().record.values.date.addMonths(months);
    return read;
}

PumpTests pumpTests(const QString& rfid, std::vector<history::KeptTest> tests) {
    PumpTests pump{rfid, {}, std::move(tests), {}, {}};
    if (!pump.tests.empty()) pump.managementNo = pump.tests.back().record.managementNumber();
    return pump;
}

data::TestsWritten reportOnRecords(const QString& path, const RecordsInHand& records, const Authorship& by) {
    data::RecordsSource source(records.records, records.testerSerial);
    return writePdf(path, source, {by.madeBy, by.madeAt, std::nullopt, {}});
}

data::TestsWritten reportOnPump(const QString& path, const PumpTests& pump, const Authorship& by) {
    const history::PumpDetails& d = pump.details;
    report::PumpSection section{pump.rfid, pump.managementNo, {}, d.maker, d.model, d.serial, d.department, d.location, pump.nextDue};
    section.tests.reserve(pump.tests.size());
    for (const history::KeptTest& test : pump.tests) section.tests.push_back(test.record);
    KeptTestsSource source(pump.tests);
    return writePdf(path, source, {by.madeBy, by.madeAt, std::move(section), {}});
}

data::TestsWritten reportByPump(const QString& path, history::HistoryStore& store, int defaultIntervalMonths,
                                const Authorship& by) {
    const auto pumps = store.pumps(defaultIntervalMonths);
    if (!pumps) return data::TestsWritten::unread(pumps.error());
    auto sections = std::make_shared<std::map<QString, report::PumpSection>>();
    for (const history::PumpSummary& p : pumps.value()) {
        const history::PumpDetails& d = p.details;
        (*sections)[p.rfid] = {p.rfid, p.managementNo, {}, d.maker, d.model, d.serial, d.department, d.location, p.due};
    }
    // A pump tested since the list was read is known by its RFID alone.
    const auto pumpOf = [sections](const QString& rfid) {
        const auto found = sections->find(rfid);
        return found != sections->end() ? found->second : report::PumpSection{rfid, {}, {}, {}, {}, {}, {}, {}, {}};
    };
    const report::ReportContext context{by.madeBy, by.madeAt, std::nullopt, pumpOf};
    history::TestQuery byPump;
    byPump.byPump = true;
    history::HistoryTestSource source(store, byPump);
    return writePdf(path, source, context);
}

data::TestsWritten exportRecords(const QString& path, const RecordsInHand& records, const QDateTime& exportedAt,
                                 history::HistoryStore* registry) {
    data::RecordsSource source(records.records, records.testerSerial);
    return writeJson(path, source, exportedAt, registry);
}

data::TestsWritten exportHistory(const QString& path, history::HistoryStore& store, const history::TestQuery& query,
                                const QDateTime& exportedAt) {
    history::HistoryTestSource source(store, query);
    return writeJson(path, source, exportedAt, &store);
}

data::TestsWritten exportHistory(QIODevice& device, history::HistoryStore& store, const history::TestQuery& query,
                      const QDateTime& exportedAt) {
    history::HistoryTestSource source(store, query);
    return report::writeJsonExport(device, source, exportedAt, registerLookup(&store));
}

QString inspectorName(const QStringList& settingsFolders) {
    if (QString configured = history::configuredInspector(settingsFolders); !configured.isEmpty()) return configured;
    const QString fullName = history::systemUserFullName();
    return fullName.isEmpty() ? history::systemUserName() : fullName;
}

data::TestsWritten exportCmms(const QString& path, history::HistoryStore& store, const history::TestQuery& query,
                              int defaultIntervalMonths, const QString& inspector) {
    const auto pumps = store.pumps(defaultIntervalMonths);
    if (!pumps) return data::TestsWritten::unread(pumps.error());
    std::map<QString, report::PumpOnRecord> register_;
    for (const history::PumpSummary& p : pumps.value())
        register_[p.rfid] = {p.details.maker, p.details.model, p.details.department, p.intervalMonths};
    const auto pumpOf = [&](const QString& rfid) {
        const auto found = register_.find(rfid);
        return found != register_.end() ? found->second : report::PumpOnRecord{{}, {}, {}, defaultIntervalMonths};
    };
    history::HistoryTestSource source(store, query);
    return writeFile(path, [&](QIODevice& device) { return report::writeCmmsExport(device, source, pumpOf, inspector); });
}

}  // namespace torbex::workflow
