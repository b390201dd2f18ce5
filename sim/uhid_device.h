#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace torbex::sim {

// A HID device that the kernel lists as if it were plugged in over USB, made through /dev/uhid
// (Linux). Programs see it as any other hidraw device; what they write comes back here.
class UhidDevice {
public:
    struct Identity {
        std::string name;
        std::string phys;  // where it sits; tells two devices of one kind apart in sysfs
        std::string uniq;  // the serial number hidapi reports
        std::uint16_t vendorId = 0;
        std::uint16_t productId = 0;
        std::vector<std::uint8_t> descriptor;
    };

    UhidDevice() = default;
    ~UhidDevice();
    UhidDevice(const UhidDevice&) = delete;
    UhidDevice& operator=(const UhidDevice&) = delete;

    // Opens the uhid node; nullopt when it worked, else errno.
    std::optional<int> open(const char* path = "/dev/uhid");
    int fd() const { return m_fd; }

    // Plugs the device in (a new connection each time) and pulls it out again. False with errno
    // set when the kernel refused.
    bool create(const Identity& identity);
    bool destroy();
    bool created() const { return m_created; }

    // Sends one input report (payload only; the device has no report IDs).
    bool sendInput(std::span<const std::uint8_t> payload);

    // Reads one event from the kernel: the output report a program wrote (report ID first), or
    // nullopt for any other event. Requests for feature reports are refused on the spot, since
    // the kernel would otherwise wait for their answer.
    std::optional<std::vector<std::uint8_t>> readOutput();

    // The hidraw node the kernel made for the device ("/dev/hidraw3"), found through sysfs by
    // the identity's phys; empty until it exists.
    std::string hidrawNode() const;

private:
    int m_fd = -1;
    bool m_created = false;
    std::string m_phys;
};

}  // namespace torbex::sim
