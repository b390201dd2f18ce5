// RequestDispatcher against the simulated tester: what each request sends and keeps, and how
// it survives a tester that misbehaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "support/sim_fixture.h"

namespace torbex::commands {
namespace {

using sim::Fault;

const MeasurementSettings kTesterSettings{120.0F, 0, 0, 107.0F, 2, 1, 1, 3};  // unlike the held defaults

// A rig, and a view that counts its calls.
struct Bench : DispatcherView, torbex::testing::SimulatedRig {
    Bench() {
        tester.state().settings = kTesterSettings;
        tester.state().serial = QStringLiteral(" SN 42  ");  // kept as read, spaces and all
        session.dispatcher.setView(this);
    }
    void showTesterAbsent() override { ++absent; }
    void showTesterVersion() override { ++shown; }
    void showMeasurementSettings(const MeasurementSettings&) override { ++shown; }
    void showCalibrationAndSerial() override { ++shown; }

    ServiceOutcome service() { return session.dispatcher.ServiceComRequest(); }
    ServiceOutcome run(std::int16_t request) {
        requests.queueRequest(request);
        return service();
    }
    bool lastSent(const CommandFrame& expected) const {  // byte 0 is the sequence number
        const CommandFrame sent = lastCommand();
        return std::equal(sent.begin() + 1, sent.end(), expected.begin() + 1);
    }

    int absent = 0, shown = 0;
    RequestVariables& requests = session.requests;
    TesterValues& values = session.values;
};

// The request waits while no tester is found, the newest one wins, and reads fill the held values.
TEST(Dispatcher, RequestsWaitForTheTesterNewestWinsAndReadsFillTheHeldValues) {
    Bench b;
    b.tester.unplug();
    b.requests.queueRequest(kRequestReadVersion);
    EXPECT_EQ(b.run(kRequestReadSettings), ServiceOutcome::TesterAbsent);
    EXPECT_EQ(b.requests.COM_ERR, 1);
    EXPECT_EQ(b.requests.COM_REQ, kRequestReadSettings);
    EXPECT_EQ(b.absent, 1);
    EXPECT_TRUE(b.tester.receivedCommands().empty());

    b.tester.plugIn();
    EXPECT_EQ(b.service(), ServiceOutcome::Answered);
    EXPECT_EQ(b.tester.receivedCommands().size(), 1U);
    EXPECT_EQ(b.values.measurementSettings, kTesterSettings);
    for (const std::int16_t request : {kRequestReadVersion, kRequestReadCalibration, kNoRequest}) {
        EXPECT_EQ(b.run(request), ServiceOutcome::Answered) << request;
        EXPECT_EQ(b.requests.COM_REQ, kNoRequest) << request;
        EXPECT_EQ(b.requests.COM_ERR, 0) << request;
    }
    EXPECT_TRUE(b.lastSent(buildRead(ReadCommand::Poll)));
    EXPECT_EQ(b.values.TesterVersion, b.tester.state().version);
    EXPECT_EQ(b.values.calibrationCoefficients, b.tester.state().coefficients);
    EXPECT_EQ(b.values.SerialNumber, b.tester.state().serial);
    EXPECT_EQ(b.shown, 3);
}

TEST(Dispatcher, WritesAndClockCarryWhatIsHeldWhenTheyRunNotWhenQueued) {
    Bench b;
    b.requests.queueRequest(kRequestWriteSettings);
    b.values.settingsToSend = {12.5F, 0, 0, 40.0F, 0, 1, 0, 2};
    ASSERT_EQ(b.service(), ServiceOutcome::Answered);
    EXPECT_TRUE(b.lastSent(buildWriteSettings(b.values.settingsToSend)));

    b.requests.queueRequest(kRequestWriteCalibration);
    b.values.calibrationCoefficients = {0.5F, 2.0F, -1.0F};
    b.values.SerialNumber = QStringLiteral(" NEW1 ");
    ASSERT_EQ(b.service(), ServiceOutcome::Answered);
    EXPECT_EQ(b.tester.state().coefficients, (CalibrationCoefficients{0.5F, 2.0F, -1.0F}));
    EXPECT_EQ(b.tester.state().serial, QStringLiteral("NEW1    "));

    b.requests.queueRequest(kRequestSetClock);
    b.localTime = QDateTime(QDate(2031, 12, 24), QTime(18, 0, 59));
    ASSERT_EQ(b.service(), ServiceOutcome::Answered);
    EXPECT_EQ(b.tester.lastClockParameter(), QByteArray("311224180059"));
}

// Every fault: a request that went out counts as done, and an unanswered read leaves the held
// values and the view alone.
TEST(Dispatcher, EveryFaultCountsTheRequestDoneAndALostReplyChangesNothing) {
    const struct { Fault fault; ServiceOutcome outcome; } cases[] = {
        {Fault::NoAnswer, ServiceOutcome::LinkLost}, {Fault::StaleEcho, ServiceOutcome::Answered},
        {Fault::WriteFails, ServiceOutcome::LinkLost}, {Fault::Garbage, ServiceOutcome::Answered},
        {Fault::Unplug, ServiceOutcome::LinkLost},   {Fault::Replug, ServiceOutcome::LinkLost},
    };
    const TesterValues held{{33.0F, 1, 2, 44.0F, 0, 1, 0, 2}, {9.0F, 8.0F, 7.0F}, QStringLiteral("HELD0001"),
                            QStringLiteral("HELDVER "), std::nullopt, {}};
    for (const auto& c : cases) {
        for (const std::int16_t request : {kRequestReadVersion, kRequestReadSettings, kRequestReadCalibration}) {
            SCOPED_TRACE(::testing::Message() << "fault " << static_cast<int>(c.fault) << " request " << request);
            Bench b;
            b.values = held;
            b.tester.injectFault(c.fault);
            EXPECT_EQ(b.run(request), c.outcome);
            EXPECT_EQ(b.requests.COM_ERR, 0);
            EXPECT_EQ(b.requests.COM_REQ, kNoRequest);
            const bool lost = c.outcome == ServiceOutcome::LinkLost;
            EXPECT_EQ(b.shown, lost ? 0 : 1);
            if (!lost) continue;
            EXPECT_FALSE(b.session.link.deviceFound());
            EXPECT_EQ(b.values.measurementSettings, held.measurementSettings);
            EXPECT_EQ(b.values.calibrationCoefficients, held.calibrationCoefficients);
            EXPECT_EQ(b.values.SerialNumber, held.SerialNumber);
            EXPECT_EQ(b.values.TesterVersion, held.TesterVersion);
        }
    }
}

TEST(Dispatcher, RequestQueuedDuringExchangeWaitsForTheNextCall) {
    // The same code as the running request must survive too: only a new queueing counts.
    for (const std::int16_t queuedLater : {kRequestReadVersion, kRequestReadSettings}) {
        SCOPED_TRACE(queuedLater);
        Bench b;
        bool queued = false;
        b.events.setHook([&] {
            if (!std::exchange(queued, true)) b.requests.queueRequest(queuedLater);
        });
        EXPECT_EQ(b.run(kRequestReadSettings), ServiceOutcome::Answered);
        EXPECT_EQ(b.shown, 1);
        EXPECT_EQ(b.requests.COM_REQ, queuedLater);
        b.events.setHook({});
        EXPECT_EQ(b.service(), ServiceOutcome::Answered);
        EXPECT_EQ(b.lastCommand()[2], queuedLater == kRequestReadVersion ? '9' : '4');
        EXPECT_EQ(b.requests.COM_REQ, kNoRequest);
    }
}

}  // namespace
}  // namespace torbex::commands
