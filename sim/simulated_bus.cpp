#include "sim/simulated_bus.h"

#include "link/tester_identity.h"

namespace torbex::sim {
namespace {

// Counts itself in the bus's open-handle tally for as long as it lives.
class CountedHandle : public link::HidConnection {
public:
    explicit CountedHandle(std::shared_ptr<int> openHandles) : m_openHandles(std::move(openHandles)) { ++*m_openHandles; }
    ~CountedHandle() override { --*m_openHandles; }
    CountedHandle(const CountedHandle&) = delete;
    CountedHandle& operator=(const CountedHandle&) = delete;

private:
    std::shared_ptr<int> m_openHandles;
};

class TesterHandle final : public CountedHandle {
public:
    TesterHandle(SimulatedTester& tester, std::shared_ptr<int> openHandles)
        : CountedHandle(std::move(openHandles)), m_tester(tester), m_generation(tester.plugGeneration()) {}

    link::ReportLengths reportLengths() const override { return m_tester.reportLengths(); }
    bool writeReport(std::span<const std::uint8_t> wire) override { return m_tester.receiveReport(wire, m_generation); }
    link::ReadStatus readReport(std::span<std::uint8_t> wire, int timeoutMs) override {
        return m_tester.sendReport(wire, timeoutMs, m_generation);
    }

private:
    SimulatedTester& m_tester;
    std::uint64_t m_generation;
};

class SilentHandle final : public CountedHandle {
public:
    using CountedHandle::CountedHandle;
    link::ReportLengths reportLengths() const override { return {65, 65}; }
    bool writeReport(std::span<const std::uint8_t>) override { return true; }
    link::ReadStatus readReport(std::span<std::uint8_t>, int) override { return link::ReadStatus::TimedOut; }
};

}  // namespace

void SimulatedBus::attachTester(SimulatedTester& tester, std::string path) {
    m_entries.push_back({{std::move(path), link::kTesterVendorId, link::kTesterProductId}, &tester, true});
}

void SimulatedBus::attachOtherDevice(link::HidDeviceInfo info, bool openable) {
    m_entries.push_back({std::move(info), nullptr, openable});
}

std::vector<link::HidDeviceInfo> SimulatedBus::enumerate() {
    ++m_enumerations;
    std::vector<link::HidDeviceInfo> devices;
    for (const Entry& entry : m_entries) {
        if (entry.tester) entry.tester->plugBackInIfDue();
        if (entry.tester == nullptr || entry.tester->pluggedIn()) devices.push_back(entry.info);
    }
    return devices;
}

std::unique_ptr<link::HidConnection> SimulatedBus::open(const std::string& path) {
    for (const Entry& entry : m_entries) {
        if (entry.info.path != path || !entry.openable) continue;
        if (entry.tester == nullptr) return std::make_unique<SilentHandle>(m_openHandles);
        entry.tester->plugBackInIfDue();
        if (!entry.tester->pluggedIn()) return nullptr;
        return std::make_unique<TesterHandle>(*entry.tester, m_openHandles);
    }
    return nullptr;
}

}  // namespace torbex::sim
