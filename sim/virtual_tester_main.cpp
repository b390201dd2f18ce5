// torbex-virtual-tester: the simulated tester plugged into this machine's HID stack through
// /dev/uhid, so that the real program, its tool and hidapi find it as they find a tester.
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "link/tester_identity.h"
#include "sim/scenario.h"
#include "sim/tester_descriptor.h"
#include "sim/virtual_tester.h"

namespace {

using torbex::sim::UhidDevice;
using torbex::sim::VirtualTester;

constexpr int kUsageError = 1;
constexpr int kNoUhid = 2;
constexpr int kBadScenario = 3;

const char kUsage[] =
    "usage: torbex-virtual-tester [--trace] [SCENARIO.json]\n"
    "Plugs a simulated tester into this machine's HID stack (/dev/uhid) until Ctrl-C.\n"
    "Without SCENARIO.json it holds the 120 sample records.\n"
    "  --trace   write every report, as torbex-cli --trace does\n";

void say(const std::string& text) {
    std::fprintf(stderr, "torbex-virtual-tester: %s\n", text.c_str());
    std::fflush(stderr);
}

int uhidUnusable(int error) {
    const std::string why = std::strerror(error);
    if (error == ENOENT || error == ENODEV || error == ENXIO) {
        say("/dev/uhid is not there (" + why + "): load the kernel's uhid module with `sudo modprobe uhid` and try again.");
    } else if (error == EACCES || error == EPERM) {
        say("cannot open /dev/uhid (" + why + "): run it as root (`sudo torbex-virtual-tester`), or let your user "
            "open /dev/uhid with a udev rule, for example KERNEL==\"uhid\", GROUP=\"plugdev\", MODE=\"0660\" in "
            "/etc/udev/rules.d/70-uhid.rules.");
    } else {
        say("cannot use /dev/uhid: " + why);
    }
    return kNoUhid;
}

// A signal to stop on, as a descriptor the tester's loop can wait on; -1 when there is none.
int stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals, signal);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0) return -1;
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool trace = arguments.removeAll(QStringLiteral("--trace")) > 0;
    if (arguments.contains(QStringLiteral("--help"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (arguments.size() > 1 || (!arguments.isEmpty() && arguments[0].startsWith(u'-'))) {
        std::fputs(kUsage, stderr);
        return kUsageError;
    }
    const QString scenarioPath = arguments.isEmpty() ? QStringLiteral(":/scenarios/sample.json") : arguments[0];
    torbex::sim::ScenarioResult scenario = torbex::sim::loadScenarioFile(scenarioPath);
    if (!scenario.state) {
        say(scenario.error.toStdString());
        return kBadScenario;
    }
    const torbex::sim::TesterState& state = *scenario.state;
    const std::string serial = state.serial.toStdString();
    const UhidDevice::Identity identity{
        "torbex virtual tester", "torbex-virtual-tester/" + std::to_string(::getpid()), serial,
        torbex::link::kTesterVendorId, torbex::link::kTesterProductId,
        torbex::sim::testerReportDescriptor(state.inputReportBytes, state.outputReportBytes)};
    const std::string sizes = " (reports of " + std::to_string(state.inputReportBytes) + " bytes in, " +
                              std::to_string(state.outputReportBytes) + " out)";

    torbex::sim::UhidDevice device;
    if (const std::optional<int> error = device.open()) return uhidUnusable(*error);
    const int stopFd = stopSignals();
    if (stopFd < 0) {
        say(std::string("cannot wait for Ctrl-C: ") + std::strerror(errno));
        return kNoUhid;
    }
    torbex::sim::SimulatedTester tester(*scenario.state);
    VirtualTester virtualTester(tester, device, identity);
    virtualTester.setNotice([&](VirtualTester::Event event, const std::string& node) {
        switch (event) {
            case VirtualTester::Event::PluggedIn: say("tester " + serial + " plugged in as " + node + sizes); break;
            case VirtualTester::Event::NoNode:
                say("the kernel made no hidraw node for the tester (a kernel without hidraw?); waiting on");
                break;
            case VirtualTester::Event::Unplugged: say("tester " + serial + " unplugged"); break;
            case VirtualTester::Event::Removed: say("tester " + serial + " removed"); break;
        }
    });
    if (trace) virtualTester.setTrace([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    if (const int error = virtualTester.run(stopFd)) {
        say(std::string("the kernel refused the device: ") + std::strerror(error));
        return kNoUhid;
    }
    return 0;
}
