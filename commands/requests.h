#pragma once

#include <cstdint>

namespace torbex::commands {

// What the buttons ask of the next tick. The values are the request codes the tester's
// documentation and support staff know them by.
enum class Request : std::int16_t {
    None = 0,
    WriteSettings = 2,
    WriteCalibration = 3,
    SetClock = 4,
    ChangeMode = 5,
    ProgramRewrite = 6,
    ReadVersion = 9,
    ReadSettings = 14,
    ReadCalibration = 15,
};

enum class TesterMode : std::int16_t { Normal = 1, Calibration = 2 };

// The one pending request: a newer one replaces it. A request queued while an earlier one is
// being exchanged survives that exchange's completion.
class RequestQueue {
public:
    void queue(Request request) {
        m_pending = request;
        ++m_generation;
    }
    void queueModeChange(TesterMode mode) {
        m_mode = mode;
        queue(Request::ChangeMode);
    }

    Request pending() const { return m_pending; }
    TesterMode mode() const { return m_mode; }

    // Marks the pending request as being carried out; `finish` with the same ticket clears it
    // unless another was queued meanwhile.
    std::uint32_t take() const { return m_generation; }
    void finish(std::uint32_t ticket) {
        if (ticket == m_generation) m_pending = Request::None;
    }

private:
    Request m_pending = Request::None;
    TesterMode m_mode = TesterMode::Normal;
    std::uint32_t m_generation = 0;
};

}  // namespace torbex::commands
