// Talks to a real tester when one is plugged in; skips itself otherwise.
#include <gtest/gtest.h>

#include "commands/tester_session.h"
#include "link/hidapi_transport.h"

namespace torbex {
namespace {

TEST(HardwareTester, AnswersVersionAndPollWhenAttached) {
    link::HidapiTransport transport;
    link::SteadyClock clock;
    link::CallbackEventPump events;
    commands::TesterSession session(transport, clock, events);
    if (!session.link.FindTheHid()) GTEST_SKIP() << "no tester attached";

    EXPECT_GE(session.link.InputReportByteLength, 2);
    EXPECT_LE(session.link.InputReportByteLength, 71);
    EXPECT_EQ(session.runRequest(commands::kRequestReadVersion), commands::ServiceOutcome::Answered);
    EXPECT_EQ(session.runRequest(commands::kNoRequest), commands::ServiceOutcome::Answered);
    EXPECT_EQ(session.requests.COM_ERR, 0);
}

}  // namespace
}  // namespace torbex
