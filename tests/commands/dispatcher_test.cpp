// RequestDispatcher against the simulated tester: what each request sends and keeps, and how
// it survives a tester that misbehaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "support/sim_fixture.h"

namespace torbex::commands {
namespace {

using sim::Fault;

struct CountingView final : DispatcherView {
    void showTesterAbsent() override { ++absent; }
    void showTesterVersion() override { ++version; }
    void showMeasurementSettings(const MeasurementSettings&) override { ++settings; }
    void showCalibrationAndSerial() override { ++calibration; }
    int absent = 0, version = 0, settings = 0, calibration = 0;
};

sim::TesterState distinctState() {
    sim::TesterState state;
    state.version = QStringLiteral("V2.34   ");
    state.serial = QStringLiteral("SN123456");
    state.coefficients = {1.25F, -0.5F, 0.125F};
    state.settings = {120.0F, 0, 0, 107.0F, 2, 1, 1, 3};
    return state;
}

// Values no tester reply holds, so an overwrite shows.
TesterValues sentinelValues() {
    TesterValues values;
    values.measurementSettings = {33.0F, 1, 2, 44.0F, 0, 1, 0, 2};
    values.calibrationCoefficients = {9.0F, 8.0F, 7.0F};
    values.SerialNumber = QStringLiteral("HELD0001");
    values.TesterVersion = QStringLiteral("HELDVER ");
    return values;
}

void expectSameValues(const TesterValues& actual, const TesterValues& expected) {
    EXPECT_EQ(actual.measurementSettings, expected.measurementSettings);
    EXPECT_EQ(actual.calibrationCoefficients, expected.calibrationCoefficients);
    EXPECT_EQ(actual.SerialNumber.toStdString(), expected.SerialNumber.toStdString());
    EXPECT_EQ(actual.TesterVersion.toStdString(), expected.TesterVersion.toStdString());
}

// Frames compared from byte 1 on; byte 0 is the sequence number.
void expectSameCommand(const CommandFrame& actual, const CommandFrame& expected) {
    EXPECT_TRUE(std::equal(actual.begin() + 1, actual.end(), expected.begin() + 1));
}

// A rig of its own per test or table row, with a view that counts its calls.
struct Bench {
    explicit Bench(sim::TesterState state = distinctState()) : rig(std::move(state)) {
        rig.session.dispatcher.setView(&view);
    }
    ServiceOutcome service() { return rig.session.dispatcher.ServiceComRequest(); }
    RequestVariables& requests() { return rig.session.requests; }
    TesterValues& values() { return rig.session.values; }
    sim::SimulatedTester& tester() { return rig.tester; }

    torbex::testing::SimulatedRig rig;
    CountingView view;
};

TEST(Dispatcher, NoRequestPollsWithD2AndLeavesComReqZero) {
    Bench b;
    EXPECT_EQ(b.service(), ServiceOutcome::Answered);
    expectSameCommand(b.rig.lastCommand(), buildRead(ReadCommand::Poll));
    EXPECT_EQ(b.requests().COM_REQ, kNoRequest);
    EXPECT_EQ(b.requests().COM_ERR, 0);
}

TEST(Dispatcher, ReadRequestsFillHeldValuesAndRefreshTheirView) {
    Bench b;
    for (const std::int16_t request : {kRequestReadVersion, kRequestReadSettings, kRequestReadCalibration}) {
        b.requests().queueRequest(request);
        EXPECT_EQ(b.service(), ServiceOutcome::Answered) << request;
        EXPECT_EQ(b.requests().COM_REQ, kNoRequest) << request;
    }
    EXPECT_EQ(b.values().TesterVersion.toStdString(), "V2.34   ");
    EXPECT_EQ(b.values().measurementSettings, distinctState().settings);
    EXPECT_EQ(b.values().calibrationCoefficients, distinctState().coefficients);
    EXPECT_EQ(b.values().SerialNumber.toStdString(), "SN123456");
    EXPECT_EQ(b.view.version, 1);
    EXPECT_EQ(b.view.settings, 1);
    EXPECT_EQ(b.view.calibration, 1);
}

TEST(Dispatcher, WriteRequestsCarryValuesHeldWhenTheyRunNotWhenQueued) {
    Bench b;
    b.requests().queueRequest(kRequestWriteSettings);
    const MeasurementSettings later{12.5F, 0, 0, 40.0F, 0, 1, 0, 2};
    b.values().measurementSettings = later;
    ASSERT_EQ(b.service(), ServiceOutcome::Answered);
    expectSameCommand(b.rig.lastCommand(), buildWriteSettings(later));

    b.requests().queueRequest(kRequestWriteCalibration);
    b.values().calibrationCoefficients = {0.5F, 2.0F, -1.0F};
    b.values().SerialNumber = QStringLiteral(" NEW1 ");
    ASSERT_EQ(b.service(), ServiceOutcome::Answered);
    EXPECT_EQ(b.tester().state().coefficients, (CalibrationCoefficients{0.5F, 2.0F, -1.0F}));
    EXPECT_EQ(b.tester().state().serial.toStdString(), "NEW1    ");

    b.requests().queueRequest(kRequestSetClock);
    b.rig.localTime = QDateTime(QDate(2031, 12, 24), QTime(18, 0, 59));
    ASSERT_EQ(b.service(), ServiceOutcome::Answered);
    EXPECT_EQ(b.tester().lastClockParameter(), QByteArray("311224180059"));
}

TEST(Dispatcher, ModeAndRewriteRequestsReachTheTester) {
    Bench b;
    b.requests().queueRequest(kRequestChangeMode, kCalibrationMode);
    ASSERT_EQ(b.service(), ServiceOutcome::Answered);
    EXPECT_EQ(b.rig.lastCommand()[2], '2');
    EXPECT_EQ(b.tester().mode(), 2);
    b.requests().queueRequest(kRequestChangeMode, kNormalMode);
    ASSERT_EQ(b.service(), ServiceOutcome::Answered);
    EXPECT_EQ(b.tester().mode(), 1);

    b.requests().queueRequest(kRequestProgramRewrite);
    ASSERT_EQ(b.service(), ServiceOutcome::Answered);
    expectSameCommand(b.rig.lastCommand(), buildProgramRewrite());
    EXPECT_TRUE(b.tester().inProgramRewriteMode());
}

TEST(Dispatcher, NewerRequestReplacesPendingOne) {
    Bench b;
    b.requests().queueRequest(kRequestReadVersion);
    b.requests().queueRequest(kRequestReadSettings);
    EXPECT_EQ(b.service(), ServiceOutcome::Answered);
    ASSERT_EQ(b.tester().receivedCommands().size(), 1U);
    expectSameCommand(b.rig.lastCommand(), buildRead(ReadCommand::Settings));
    EXPECT_EQ(b.view.version, 0);
    EXPECT_EQ(b.requests().COM_REQ, kNoRequest);
}

TEST(Dispatcher, AbsentTesterKeepsRequestPendingUntilPluggedIn) {
    Bench b;
    b.tester().unplug();
    b.requests().queueRequest(kRequestWriteSettings);
    EXPECT_EQ(b.service(), ServiceOutcome::TesterAbsent);
    EXPECT_EQ(b.requests().COM_ERR, 1);
    EXPECT_EQ(b.requests().COM_REQ, kRequestWriteSettings);
    EXPECT_EQ(b.view.absent, 1);
    EXPECT_TRUE(b.tester().receivedCommands().empty());

    b.tester().plugIn();
    EXPECT_EQ(b.service(), ServiceOutcome::Answered);
    EXPECT_EQ(b.requests().COM_ERR, 0);
    EXPECT_EQ(b.requests().COM_REQ, kNoRequest);
    EXPECT_EQ(b.rig.lastCommand()[1], kWriteSettings);
}

TEST(Dispatcher, EveryFaultEndsAsDocumentedAndTheNextCallRecovers) {
    const struct { Fault fault; ServiceOutcome outcome; } cases[] = {
        {Fault::NoAnswer, ServiceOutcome::LinkLost}, {Fault::StaleEcho, ServiceOutcome::Answered},
        {Fault::WriteFails, ServiceOutcome::LinkLost}, {Fault::Garbage, ServiceOutcome::Answered},
        {Fault::Unplug, ServiceOutcome::LinkLost},   {Fault::Replug, ServiceOutcome::LinkLost},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.fault));
        Bench b;
        b.tester().injectFault(c.fault);
        b.requests().queueRequest(kRequestReadSettings);
        EXPECT_EQ(b.service(), c.outcome);
        EXPECT_EQ(b.requests().COM_ERR, 0);
        EXPECT_EQ(b.requests().COM_REQ, kNoRequest) << "a request that went out counts as done";
        if (c.fault == Fault::StaleEcho) {
            EXPECT_EQ(b.values().measurementSettings, distinctState().settings);
        }
        if (c.outcome == ServiceOutcome::LinkLost) {
            EXPECT_FALSE(b.rig.session.link.deviceFound());
        }

        const int enumerationsBefore = b.rig.bus.enumerations();
        b.requests().queueRequest(kRequestReadVersion);
        if (c.fault == Fault::Unplug) {
            EXPECT_EQ(b.service(), ServiceOutcome::TesterAbsent);
            EXPECT_EQ(b.requests().COM_ERR, 1);
            b.tester().plugIn();
        }
        EXPECT_EQ(b.service(), ServiceOutcome::Answered);
        EXPECT_EQ(b.values().TesterVersion.toStdString(), "V2.34   ");
        if (c.outcome == ServiceOutcome::LinkLost) {
            EXPECT_GT(b.rig.bus.enumerations(), enumerationsBefore);
        }
        EXPECT_LE(b.rig.bus.openHandles(), 1);
    }
}

TEST(Dispatcher, UnansweredReadLeavesHeldValuesAndViewAlone) {
    for (const std::int16_t request : {kRequestReadVersion, kRequestReadSettings, kRequestReadCalibration}) {
        for (const Fault fault : {Fault::NoAnswer, Fault::WriteFails, Fault::Unplug}) {
            SCOPED_TRACE(::testing::Message() << "request " << request << " fault " << static_cast<int>(fault));
            Bench b;
            b.values() = sentinelValues();
            b.tester().injectFault(fault);
            b.requests().queueRequest(request);
            ASSERT_EQ(b.service(), ServiceOutcome::LinkLost);
            expectSameValues(b.values(), sentinelValues());
            EXPECT_EQ(b.view.version + b.view.settings + b.view.calibration, 0);
        }
    }
}

TEST(Dispatcher, RequestQueuedDuringExchangeWaitsForTheNextCall) {
    // The same code as the running request must survive too: only a new queueing counts.
    for (const std::int16_t queuedLater : {kRequestReadVersion, kRequestReadSettings}) {
        SCOPED_TRACE(queuedLater);
        Bench b;
        b.requests().queueRequest(kRequestReadSettings);
        bool queued = false;
        b.rig.events.setHook([&] {
            if (!std::exchange(queued, true)) b.requests().queueRequest(queuedLater);
        });
        EXPECT_EQ(b.service(), ServiceOutcome::Answered);
        EXPECT_EQ(b.view.settings, 1);
        EXPECT_EQ(b.requests().COM_REQ, queuedLater);

        b.rig.events.setHook({});
        EXPECT_EQ(b.service(), ServiceOutcome::Answered);
        EXPECT_EQ(b.rig.lastCommand()[2], queuedLater == kRequestReadVersion ? '9' : '4');
        EXPECT_EQ(b.requests().COM_REQ, kNoRequest);
    }
}

}  // namespace
}  // namespace torbex::commands
