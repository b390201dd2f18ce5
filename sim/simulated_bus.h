#pragma once

#include <string>
#include <vector>

#include "link/hid_transport.h"
#include "sim/simulated_tester.h"

namespace torbex::sim {

// A HID bus with simulated testers and, for discovery tests, other devices that never answer.
// Devices are listed in the order they were attached.
class SimulatedBus final : public link::HidTransport {
public:
    // The tester must outlive the bus.
    void attachTester(SimulatedTester& tester, std::string path = "sim:tester");
    // A device that can be opened (unless openable is false) but says nothing.
    void attachOtherDevice(link::HidDeviceInfo info, bool openable = true);

    std::vector<link::HidDeviceInfo> enumerate() override;
    std::unique_ptr<link::HidConnection> open(const std::string& path) override;

    // Handles opened through this bus and not yet closed.
    int openHandles() const { return *m_openHandles; }
    int enumerations() const { return m_enumerations; }

private:
    struct Entry {
        link::HidDeviceInfo info;
        SimulatedTester* tester = nullptr;
        bool openable = true;
    };
    std::vector<Entry> m_entries;
    std::shared_ptr<int> m_openHandles = std::make_shared<int>(0);
    int m_enumerations = 0;
};

}  // namespace torbex::sim
