#include "hidapi_transport.h"

#include <hidapi.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "report_descriptor.h"

namespace torbex::link {
namespace {

#if HID_API_VERSION >= HID_API_MAKE_VERSION(0, 14, 0)
std::vector<std::uint8_t> readDescriptor(hid_device* device, const std::string&) {
    std::vector<std::uint8_t> bytes(HID_API_MAX_REPORT_DESCRIPTOR_SIZE);
    const int size = hid_get_report_descriptor(device, bytes.data(), bytes.size());
    bytes.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    return bytes;
}
#else
// Older hidapi cannot hand out the descriptor; on Linux the kernel publishes it beside the
// hidraw node ("/dev/hidraw3" -> "/sys/class/hidraw/hidraw3/device/report_descriptor").
std::vector<std::uint8_t> readDescriptor(hid_device*, const std::string& path) {
#if defined(__linux__)
    const auto slash = path.find_last_of('/');
    const std::string node = slash == std::string::npos ? path : path.substr(slash + 1);
    if (node.rfind("hidraw", 0) != 0) return {};
    std::ifstream file("/sys/class/hidraw/" + node + "/device/report_descriptor", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
#else
    (void)path;
    return {};
#endif
}
#endif

class HidapiConnection final : public HidConnection {
public:
    HidapiConnection(hid_device* device, ReportLengths lengths) : m_device(device), m_lengths(lengths) {}
    ~HidapiConnection() override { hid_close(m_device); }
    HidapiConnection(const HidapiConnection&) = delete;
    HidapiConnection& operator=(const HidapiConnection&) = delete;

    ReportLengths reportLengths() const override { return m_lengths; }

    bool writeReport(std::span<const std::uint8_t> wire) override {
        return hid_write(m_device, wire.data(), wire.size()) >= 0;
    }

    ReadStatus readReport(std::span<std::uint8_t> wire, int timeoutMs) override {
        if (wire.size() < 2) return ReadStatus::Failed;
        // hidapi hands back an unnumbered report without its ID byte.
        wire[0] = 0;
        const int got = hid_read_timeout(m_device, wire.data() + 1, wire.size() - 1, timeoutMs);
        if (got < 0) return ReadStatus::Failed;
        return got == 0 ? ReadStatus::TimedOut : ReadStatus::Report;
    }

private:
    hid_device* m_device;
    ReportLengths m_lengths;
};

}  // namespace

HidapiTransport::HidapiTransport() { hid_init(); }

HidapiTransport::~HidapiTransport() { hid_exit(); }

std::vector<HidDeviceInfo> HidapiTransport::enumerate() {
    std::vector<HidDeviceInfo> devices;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* item = list; item != nullptr; item = item->next) {
        devices.push_back({item->path ? item->path : "", item->vendor_id, item->product_id});
    }
    hid_free_enumeration(list);
    return devices;
}

std::unique_ptr<HidConnection> HidapiTransport::open(const std::string& path) {
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr) return nullptr;
    const auto descriptor = readDescriptor(device, path);
    const ReportLengths lengths = reportLengthsFromDescriptor(descriptor).value_or(ReportLengths{});
    return std::make_unique<HidapiConnection>(device, lengths);
}

}  // namespace torbex::link
