#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace torbex::commands {

// Why an operation on the tester did not happen.
enum class FailureKind {
    NotConnected,      // no tester was found
    StoppedAnswering,  // the tester went away or fell silent on the way
    RefusedValue,      // a value the tester cannot take; nothing was sent
    Cancelled,         // the operator stopped it; nothing changed
    Busy,              // another exchange is still waiting for its reply; nothing was sent
};

struct Failure {
    FailureKind kind;
    QString reason;  // for a terminal or a log; the window words its own messages
};

// Nothing to hand back but success.
struct Done {
    friend bool operator==(Done, Done) = default;
};

// The value of an operation, or why there is none. The caller must look.
template <typename T>
class [[nodiscard]] Outcome {
public:
    Outcome(T value) : m_state(std::move(value)) {}  // NOLINT: an outcome is its value
    Outcome(Failure failure) : m_state(std::move(failure)) {}  // NOLINT

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<T>(m_state); }
    T& value() { return std::get<T>(m_state); }
    const Failure& failure() const { return std::get<Failure>(m_state); }
    // The failure's kind; only to be asked of a failed outcome.
    FailureKind failureKind() const { return failure().kind; }

private:
    std::variant<T, Failure> m_state;
};

}  // namespace torbex::commands
