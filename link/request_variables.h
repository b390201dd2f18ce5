#pragma once

#include <cstdint>
#include <optional>

namespace torbex {

// Values of COM_REQ.
enum RequestCode : std::int16_t {
    kNoRequest = 0,
    kRequestWriteSettings = 2,
    kRequestWriteCalibration = 3,
    kRequestSetClock = 4,
    kRequestChangeMode = 5,
    kRequestProgramRewrite = 6,
    kRequestReadVersion = 9,
    kRequestReadSettings = 14,
    kRequestReadCalibration = 15,
};

// Values of MODE_REQ.
enum TesterMode : std::int16_t { kNormalMode = 1, kCalibrationMode = 2 };

// Through these the buttons, the poll tick and the dispatcher coordinate.
struct RequestVariables {
    std::int16_t COM_ENA = 0;      // a tick may call the dispatcher
    std::int16_t COM_REQ = 0;      // the one pending request
    std::int16_t MODE_REQ = 0;     // mode for the mode-change request
    std::int16_t COM_ERR = 0;      // 1 when the last attempt found no tester
    std::int16_t COM_ERR_CTR = 0;  // ticks in a row without a usable connection
    std::int16_t com_dis_ctr = 0;  // ticks left to hold the dispatcher off

    // Records a request; a newer one replaces a pending one. Use this rather than writing
    // COM_REQ, so that a request made during an exchange is not mistaken for the one that ran.
    void queueRequest(std::int16_t request, std::optional<std::int16_t> mode = std::nullopt) {
        COM_REQ = request;
        if (mode) MODE_REQ = *mode;
        ++requestsQueued;
    }
    std::uint32_t requestsQueued = 0;
};

}  // namespace torbex
