#pragma once

#include "hid_transport.h"

namespace torbex::link {

// The USB tester through hidapi (hidraw on Linux, the HID API on Windows and macOS).
class HidapiTransport final : public HidTransport {
public:
    HidapiTransport();
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    std::vector<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidConnection> open(const std::string& path) override;
};

}  // namespace torbex::link
