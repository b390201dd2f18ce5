// The real HID stack: this machine's devices as the kernel shows them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "link/hidapi_transport.h"

namespace torbex {
namespace {

#if defined(__linux__)
using Devices = std::set<std::tuple<std::string, int, int>>;  // path, vendor, product

// The hidraw nodes on the buses hidapi serves (USB, Bluetooth, I2C, SPI), with their uevent's ids.
Devices kernelHidDevices() {
    Devices devices;
    std::error_code none;  // a kernel without hidraw has no such folder: no devices
    for (const auto& node : std::filesystem::directory_iterator("/sys/class/hidraw", none)) {
        std::ifstream uevent(node.path() / "device/uevent");
        unsigned bus = 0, vendor = 0, product = 0;
        for (std::string line; std::getline(uevent, line);) {
            const bool served = std::sscanf(line.c_str(), "HID_ID=%x:%x:%x", &bus, &vendor, &product) == 3 &&
                                (bus == 3 || bus == 5 || bus == 0x18 || bus == 0x1C);
            if (served) devices.emplace("/dev/" + node.path().filename().string(), vendor, product);
        }
    }
    return devices;
}

// Every other test replaces the HID stack. hidapi lists a device once per usage; each node counts once.
TEST(HidapiTransport, ListingMissesOrInventsADeviceAndAPathNamingNoneOpens) {
    link::HidapiTransport transport;
    Devices listed;
    for (const link::HidDeviceInfo& device : transport.enumerate()) listed.emplace(device.path, device.vendorId, device.productId);
    EXPECT_EQ(listed, kernelHidDevices());
    EXPECT_EQ(transport.open("/dev/torbex-no-such-device"), nullptr);
}
#endif

}  // namespace
}  // namespace torbex
