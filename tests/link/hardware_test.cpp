// Talks to a real tester when one is plugged in; skips itself otherwise.
#include <gtest/gtest.h>

#include "commands/tester_service.h"
#include "link/hidapi_transport.h"

namespace torbex {
namespace {

TEST(HardwareTester, AnswersVersionAndPollWhenAttached) {
    link::HidapiTransport transport;
    link::SteadyClock clock;
    link::CallbackEventPump events;
    commands::TesterService tester(transport, clock, events);
    if (!tester.link().findTester()) GTEST_SKIP() << "no tester attached";

    EXPECT_EQ((std::tuple{tester.readVersion().ok(), tester.poll().ok(), tester.link().connected()}), std::tuple(true, true, true));
}

}  // namespace
}  // namespace torbex
