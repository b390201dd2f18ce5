#include "sim/uhid_device.h"

#include <fcntl.h>
#include <linux/uhid.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace torbex::sim {
namespace {

constexpr std::uint16_t kBusUsb = 0x03;

void copyText(std::uint8_t* to, std::size_t room, const std::string& text) {
    std::memcpy(to, text.data(), std::min(text.size(), room - 1));
}

bool writeEvent(int fd, const uhid_event& event) {
    const ssize_t written = ::write(fd, &event, sizeof event);
    return written == static_cast<ssize_t>(sizeof event);
}

}  // namespace

UhidDevice::~UhidDevice() {
    // Closing the node removes the device as well; saying so first is the documented way.
    if (m_created) destroy();
    if (m_fd >= 0) ::close(m_fd);
}

std::optional<int> UhidDevice::open(const char* path) {
    m_fd = ::open(path, O_RDWR | O_CLOEXEC);
    if (m_fd < 0) return errno;
    return std::nullopt;
}

bool UhidDevice::create(const Identity& identity) {
    if (identity.descriptor.size() > HID_MAX_DESCRIPTOR_SIZE) {
        errno = EINVAL;
        return false;
    }
    uhid_event event{};
    event.type = UHID_CREATE2;
    uhid_create2_req& req = event.u.create2;
    copyText(req.name, sizeof req.name, identity.name);
    copyText(req.phys, sizeof req.phys, identity.phys);
    copyText(req.uniq, sizeof req.uniq, identity.uniq);
    req.rd_size = static_cast<std::uint16_t>(identity.descriptor.size());
    req.bus = kBusUsb;
    req.vendor = identity.vendorId;
    req.product = identity.productId;
    req.version = 0x0100;
    std::copy(identity.descriptor.begin(), identity.descriptor.end(), req.rd_data);
    m_created = writeEvent(m_fd, event);
    m_phys = identity.phys;
    return m_created;
}

bool UhidDevice::destroy() {
    uhid_event event{};
    event.type = UHID_DESTROY;
    m_created = false;
    return writeEvent(m_fd, event);
}

bool UhidDevice::sendInput(std::span<const std::uint8_t> payload) {
    uhid_event event{};
    event.type = UHID_INPUT2;
    const std::size_t size = std::min<std::size_t>(payload.size(), UHID_DATA_MAX);
    event.u.input2.size = static_cast<std::uint16_t>(size);
    std::copy_n(payload.begin(), size, event.u.input2.data);
    return writeEvent(m_fd, event);
}

std::optional<std::vector<std::uint8_t>> UhidDevice::readOutput() {
    uhid_event event{};
    if (::read(m_fd, &event, sizeof event) <= 0) return std::nullopt;
    switch (event.type) {
        case UHID_OUTPUT: {
            const std::size_t size = std::min<std::size_t>(event.u.output.size, UHID_DATA_MAX);
            return std::vector<std::uint8_t>(event.u.output.data, event.u.output.data + size);
        }
        case UHID_GET_REPORT: {
            const std::uint32_t id = event.u.get_report.id;
            event = {};
            event.type = UHID_GET_REPORT_REPLY;
            event.u.get_report_reply.id = id;
            event.u.get_report_reply.err = EIO;
            writeEvent(m_fd, event);
            return std::nullopt;
        }
        case UHID_SET_REPORT: {
            const std::uint32_t id = event.u.set_report.id;
            event = {};
            event.type = UHID_SET_REPORT_REPLY;
            event.u.set_report_reply.id = id;
            event.u.set_report_reply.err = EIO;
            writeEvent(m_fd, event);
            return std::nullopt;
        }
        default: return std::nullopt;
    }
}

std::string UhidDevice::hidrawNode() const {
    namespace fs = std::filesystem;
    std::error_code error;
    for (const fs::directory_entry& device : fs::directory_iterator("/sys/bus/hid/devices", error)) {
        std::ifstream uevent(device.path() / "uevent");
        bool ours = false;
        for (std::string line; std::getline(uevent, line);) ours = ours || line == "HID_PHYS=" + m_phys;
        if (!ours) continue;
        for (const fs::directory_entry& node : fs::directory_iterator(device.path() / "hidraw", error)) {
            const std::string path = "/dev/" + node.path().filename().string();
            if (fs::exists(path, error)) return path;
        }
    }
    return {};
}

}  // namespace torbex::sim
