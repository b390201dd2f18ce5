#pragma once

#include <chrono>
#include <cstdint>

namespace torbex::link {

// Milliseconds from an arbitrary start; never goes backwards.
class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    virtual std::int64_t nowMs() const = 0;
};

class SteadyClock final : public MonotonicClock {
public:
    std::int64_t nowMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

// A clock that moves only when told to; tests and the simulated tester share one so that a
// three-second time-out costs no real time.
class ManualClock final : public MonotonicClock {
public:
    std::int64_t nowMs() const override { return m_nowMs; }
    void advance(std::int64_t ms) { m_nowMs += ms; }

private:
    std::int64_t m_nowMs = 0;
};

}  // namespace torbex::link
