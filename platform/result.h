#pragma once

// The outcome of a routine that can fail: its value, or the message that tells the user why there is none.
// Result<void> is the outcome of an action that has no value. Every failure of the program travels as a
// platform::Message, so that a window shows it through MessageBoxes and the command-line companion prints
// its text.

#include <cassert>
#include <utility>
#include <variant>

#include "platform/message.h"

namespace orvane::platform {

template <typename T>
class [[nodiscard]] Result {
public:
    explicit Result(T value) : m_outcome(std::in_place_index<0>, std::move(value)) {}
    explicit Result(Message error) : m_outcome(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_outcome.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const&
    {
        assert(ok());
        return std::get<0>(m_outcome);
    }
    T& value() &
    {
        assert(ok());
        return std::get<0>(m_outcome);
    }
    T&& value() &&
    {
        assert(ok());
        return std::get<0>(std::move(m_outcome));
    }
    const Message& error() const
    {
        assert(!ok());
        return std::get<1>(m_outcome);
    }

private:
    std::variant<T, Message> m_outcome;
};

template <>
class [[nodiscard]] Result<void> {
public:
    // Success.
    Result() = default;
    explicit Result(Message error) : m_error(std::move(error)), m_failed(true) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }

    const Message& error() const
    {
        assert(!ok());
        return m_error;
    }

private:
    Message m_error;
    bool m_failed = false;
};

}  // namespace orvane::platform
