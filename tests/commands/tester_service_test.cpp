// The tester service against the simulated tester: reply matching, failures, the record download.
#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "link/tester_identity.h"
#include "support/sim_fixture.h"

namespace torbex::commands {
namespace {

using sim::Fault;
using Rig = torbex::testing::SimulatedRig;
using Kind = std::optional<FailureKind>;

template <typename T>
Kind failureOf(const Outcome<T>& outcome) { return outcome ? std::nullopt : Kind(outcome.failureKind()); }

// Records whose flow result is their slot number.
void fill(Rig& rig, std::initializer_list<int> slots) {
    for (const int slot : slots) rig.tester.state().slots[slot] = sim::StoredRecord{.flowResult = slot};
}

// Asks to stop once `cancelAfter` slots were reached.
struct Progress final : DownloadProgress {
    explicit Progress(int cancelAt = -1) : cancelAfter(cancelAt) {}
    void reached(int, int) override { ++count; }
    bool cancelRequested() const override { return count == cancelAfter; }
    int cancelAfter, count = 0;
};

// A download's failure, its records' flow results, and the slots asked for (-1 for another command).
std::tuple<Kind, std::vector<int>, std::vector<int>> download(Rig& rig, Progress progress = Progress()) {
    const auto outcome = rig.service.downloadRecords(progress);
    std::vector<int> flowResults, slotsAsked;
    for (const RecordReply& r : outcome ? outcome.value() : std::vector<RecordReply>{}) flowResults.push_back(r.flowResult);
    for (const CommandFrame& c : rig.tester.receivedCommands())
        slotsAsked.push_back(sim::isRead(c, ReadCommand::Record) ? static_cast<int>(decimalField(std::span(c).subspan(4, 4))) : -1);
    return {failureOf(outcome), flowResults, slotsAsked};
}

// A late reply to a lost command must not pass for the reply to the next one.
TEST(Exchange, SequenceNumberAdvancesOnALostLinkTooAndWrapsFrom255To1) {
    Rig rig;
    rig.tester.injectFault(Fault::NoAnswer);
    EXPECT_EQ(failureOf(rig.service.poll()), FailureKind::StoppedAnswering);
    for (int i = 2; i <= 257; ++i) ASSERT_TRUE(rig.service.poll().ok()) << i;
    for (int i = 0; i < 257; ++i) EXPECT_EQ(rig.tester.receivedCommands()[i][0], i % 255 + 1) << i;
}

// Replies echoing other commands are read past up to the limit; past it the link is dropped at once.
TEST(Exchange, BabblingTesterIsDroppedOnlyPastTheSkipLimit) {
    for (const int stale : {ReportExchange::kMaxSkippedReplies, ReportExchange::kMaxSkippedReplies + 1}) {
        Rig rig;
        rig.tester.injectFault(Fault::NoAnswer);
        int pumped = 0;
        rig.events.setHook([&] {  // the awaited reply echoes sequence number 1
            const std::array<std::uint8_t, 65> wire{0, static_cast<std::uint8_t>(pumped++ < stale ? 101 : 1), kReadCommand, '2'};
            rig.tester.receiveReport(wire, rig.tester.plugGeneration());
        });
        const bool answered = rig.service.poll().ok();
        const bool dropped = stale > ReportExchange::kMaxSkippedReplies;
        EXPECT_EQ(std::tuple(answered, rig.service.link().connected(), pumped), std::tuple(!dropped, !dropped, dropped ? stale : stale + 1));
    }
}

// What each operation sends is checked where the dispatcher runs it.
TEST(TesterService, EveryOperationTellsNoTesterSilenceAndAWaitingExchangeApart) {
    const std::pair<const char*, std::function<Kind(TesterService&)>> operations[] = {
        {"poll", [](auto& s) { return failureOf(s.poll()); }},
        {"version", [](auto& s) { return failureOf(s.readVersion()); }},
        {"calibration", [](auto& s) { return failureOf(s.readCalibration()); }},
        {"settings", [](auto& s) { return failureOf(s.readSettings()); }},
        {"identify", [](auto& s) { return failureOf(s.identify()); }},
        {"send settings", [](auto& s) { return failureOf(s.sendSettings({})); }},
        {"clock", [](auto& s) { return failureOf(s.setClock(QDateTime::currentDateTime())); }},
        {"calibrate", [](auto& s) { return failureOf(s.writeCalibration({}, QStringLiteral("SN1"))); }},
        {"mode", [](auto& s) { return failureOf(s.changeMode(TesterMode::Calibration)); }},
        {"rewrite", [](auto& s) { return failureOf(s.startProgramRewrite()); }},
        {"clear", [](auto& s) { return failureOf(s.clearRecords()); }},
        {"download", [](auto& s) { Progress progress; return failureOf(s.downloadRecords(progress)); }}};
    enum Trouble { None, Absent, Silent, Nested };
    const Kind expected[] = {std::nullopt, FailureKind::NotConnected, FailureKind::StoppedAnswering, FailureKind::Busy};
    for (const auto& [name, run] : operations) {
        for (const Trouble trouble : {None, Absent, Silent, Nested}) {
            Rig rig;
            if (trouble == Absent) rig.tester.unplug();
            if (trouble == Silent) rig.tester.injectFault(Fault::NoAnswer, 2);  // a download tries again once
            Kind got;
            bool ran = false;  // an operation started while a poll waits for its reply
            rig.events.setHook([&] { if (trouble == Nested && !std::exchange(ran, true)) got = run(rig.service); });
            const bool polled = trouble == Nested && rig.service.poll().ok();
            if (trouble != Nested) got = run(rig.service);
            const std::size_t commands = rig.tester.receivedCommands().size();
            EXPECT_EQ(std::tuple(got, polled, rig.service.link().connected() && !rig.service.busy()),
                      std::tuple(expected[trouble], trouble == Nested, trouble == None || trouble == Nested)) << name << " " << trouble;
            if (trouble == Absent || trouble == Nested) { EXPECT_EQ(commands, trouble == Nested ? 1U : 0U) << name << " " << trouble; }
        }
    }
}

// The tester takes one digit for each of these, and runs only flows from 5 to 150 ml/h.
TEST(TesterService, SendSettingsRefusesAFlowOutOfRangeAndNonDigitsSendingNothing) {
    const MeasurementSettings refused[] = {{4.99F, 0, 0, 40, 0, 0, 0, 0}, {150.01F, 0, 0, 40, 0, 0, 0, 0}, {NAN, 0, 0, 40, 0, 0, 0, 0},
                                           {70, 0, 0, 40, 10, 0, 0, 0},   {70, 0, 0, 40, -1, 0, 0, 0},     {70, 0, 0, 40, 0, 10, 0, 0},
                                           {70, 0, 0, 40, 0, 0, -1, 0},   {70, 0, 0, 40, 0, 0, 0, 11}};
    Rig rig;
    for (const MeasurementSettings& s : refused) EXPECT_EQ(failureOf(rig.service.sendSettings(s)), FailureKind::RefusedValue);
    EXPECT_TRUE(rig.tester.receivedCommands().empty());
    for (const MeasurementSettings& s : {MeasurementSettings{5, 0, 0, 40, 9, 9, 9, 9}, MeasurementSettings{150, 0, 0, 40, 0, 0, 0, 0}})
        EXPECT_EQ((std::tuple{failureOf(rig.service.sendSettings(s)), rig.tester.state().settings}), std::tuple(Kind(), s));
}

// Full, through a replug, a stale echo and a lost reply; or sparse, skipped by the advance digits
// (blanks ignored), the last skip going far past the end. (A clear is the data page's test.)
TEST(Download, RecordsComeInOrderThroughFaultsAndEmptySlotsAreSkipped) {
    Rig full, sparse;
    std::vector<int> all(sim::kSlotCount);
    std::iota(all.begin(), all.end(), 0);
    for (const int slot : all) fill(full, {slot});
    for (const Fault fault : {Fault::Replug, Fault::StaleEcho, Fault::NoAnswer}) full.tester.injectFault(fault);
    EXPECT_EQ(std::get<1>(download(full)), all);
    fill(sparse, {3, 4, 500});
    sparse.tester.state().slots[5] = sim::RawReply{{'2', '4', '9', ' ', '5', '7'}};  // byte 8 is no part of it
    sparse.tester.state().slots[1000] = sim::RawReply{{'2', '9', '9', '9', '9'}};
    EXPECT_EQ(download(sparse), std::make_tuple(std::nullopt, std::vector{3, 4, 500}, std::vector{0, 3, 4, 5, 500, 501, 1000}));
}

// A tester that needs a moment to prepare a record answers "not ready" many times a second; only
// five seconds without progress count as a lost tester, and so do an advance of 0 and one that is
// not four digits, asked again each time. Each exchange here takes a millisecond.
TEST(Download, NotReadyEndsTheDownloadOnlyAfterFiveSecondsWithoutProgress) {
    const std::tuple<int, std::vector<std::uint8_t>, bool> cases[] = {
        {200, {}, false}, {4990, {}, false}, {5010, {}, true}, {0, {'2', '0', '0', '0', '0'}, true}, {0, {'2', 'X', '0', '0', '5'}, true},
        {0, {'2', '5', 'X', '0', '0'}, true}, {0, {'2', '1'}, true}};
    for (const auto& [notReady, slot0, givesUp] : cases) {
        Rig rig;
        fill(rig, {0, 1});
        if (!slot0.empty()) rig.tester.state().slots[0] = sim::RawReply{slot0};
        rig.tester.injectFault(Fault::RecordNotReady, notReady);
        rig.events.setHook([&] { rig.clock.advance(1); });
        const auto [failure, records, asked] = download(rig);
        EXPECT_EQ(failure, givesUp ? Kind(FailureKind::StoppedAnswering) : std::nullopt) << notReady;
        EXPECT_EQ(std::ranges::count(asked, 0), givesUp ? 5000 : notReady + 1) << notReady;
    }
}

// Pulled before the start or while the first, a middle or the very last reply is awaited, or cancelled:
// no records, three searches after a loss, and nothing asked of the tester but records.
TEST(Download, LostOrCancelledOnTheWayGivesNoRecordsAndLeavesTheTesterAsItWas) {
    using enum FailureKind;
    const std::tuple<int, int, FailureKind, int> cases[] = {  // pulled at, cancelled after, outcome, slots asked
        {0, -1, NotConnected, 0}, {1, -1, StoppedAnswering, 1}, {4, -1, StoppedAnswering, 4}, {7, -1, StoppedAnswering, 7},
        {-1, 0, Cancelled, 0},    {-1, 2, Cancelled, 2}};
    for (const auto& [pulledAt, cancelAfter, outcome, count] : cases) {
        Rig rig;
        fill(rig, {0, 1, 2, 3, 4, 5});
        if (pulledAt == 0) rig.tester.unplug();
        rig.events.setHook([&] { if (std::ssize(rig.tester.receivedCommands()) == pulledAt) rig.tester.unplug(); });
        const auto [failure, records, asked] = download(rig, Progress(cancelAfter));
        std::vector<int> expected(static_cast<std::size_t>(count));
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(std::tie(failure, asked), std::make_tuple(Kind(outcome), expected)) << pulledAt << " " << cancelAfter;
        EXPECT_EQ(rig.clock.nowMs(), pulledAt > 0 ? TesterService::kMaxMsWithoutProgress : 0) << pulledAt;
    }
}

// Noise where a skip's advance belongs would skip records the tester holds: such a reply is asked
// again. Six garbled replies in a row, from the 21st request on, around an empty stretch.
TEST(Download, GarbledSkipRepliesAreAskedAgainAndSkipNoRecord) {
    Rig rig;
    std::vector<int> used(40);
    std::iota(used.begin(), used.end(), 0);
    std::erase_if(used, [](int slot) { return slot == 16 || slot == 17; });
    for (const int slot : used) fill(rig, {slot});
    rig.tester.state().faults.push_back({sim::FaultTarget::ReadRecord, Fault::Garbage, 20, 6, {}});
    const auto [failure, records, asked] = download(rig);
    EXPECT_EQ(std::tie(failure, records), std::make_tuple(Kind(), used));
    EXPECT_EQ(asked.size(), used.size() + 1 + 1 + 6);  // the skip over 16 and 17, the one to the end, the garbled ones
}

// A tester that drops off the bus for a moment is searched for at intervals over the five seconds
// without progress, the window's events running meanwhile and nothing else reaching the tester;
// one that stays away ends the download after those five seconds, and a cancel at once.
TEST(Download, TesterBackWithinFiveSecondsIsFoundAgainWithTheWindowResponsive) {
    using enum FailureKind;
    const std::tuple<std::optional<int>, bool, Kind, std::int64_t> cases[] = {  // back after, cancelled, outcome, time lost
        {1500, false, std::nullopt, 1500}, {4900, false, std::nullopt, 5000}, {std::nullopt, false, StoppedAnswering, 5000},
        {std::nullopt, true, Cancelled, 650}};
    for (const auto& [backAfterMs, cancel, outcome, lostMs] : cases) {
        Rig rig;
        fill(rig, {0, 1, 2, 3, 4, 5, 6, 7});
        rig.tester.state().faults.push_back({sim::FaultTarget::ReadRecord, Fault::Unplug, 3, 1, backAfterMs});
        struct : DownloadProgress {
            bool cancelRequested() const override { return stop; }
            bool stop = false;
        } progress;
        int pumpedWhileLost = 0;
        Kind nested;
        rig.events.setHook([&] {
            if (rig.service.link().connected()) return;
            ++pumpedWhileLost;
            nested = failureOf(rig.service.poll());
            progress.stop = cancel && rig.clock.nowMs() >= 600;
        });
        const auto downloaded = rig.service.downloadRecords(progress);
        EXPECT_EQ(std::tuple(failureOf(downloaded), downloaded ? downloaded.value().size() : 0U, rig.clock.nowMs()),
                  std::tuple(outcome, outcome ? 0U : 8U, lostMs)) << lostMs;
        EXPECT_EQ(std::tuple(pumpedWhileLost, nested), std::tuple(lostMs / link::kReadSliceMs, Kind(Busy))) << lostMs;
        EXPECT_EQ(std::ranges::count_if(rig.tester.receivedCommands(), [](const auto& c) { return !sim::isRead(c, ReadCommand::Record); }), 0);
    }
}

}  // namespace
}  // namespace torbex::commands
