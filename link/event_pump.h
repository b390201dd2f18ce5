#pragma once

#include <functional>

namespace torbex::link {

// "Let pending events run": the window keeps answering clicks and ticks while a reply is awaited.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void processPendingEvents() = 0;
};

// Runs the Qt event loop's pending events (timers, input, paint).
class QtEventPump final : public EventPump {
public:
    void processPendingEvents() override;
};

// For programs without an event loop (the command-line tool) and for tests with a hook.
class CallbackEventPump final : public EventPump {
public:
    CallbackEventPump() = default;
    explicit CallbackEventPump(std::function<void()> hook) : m_hook(std::move(hook)) {}
    void setHook(std::function<void()> hook) { m_hook = std::move(hook); }
    void processPendingEvents() override {
        if (m_hook) m_hook();
    }

private:
    std::function<void()> m_hook;
};

}  // namespace torbex::link
