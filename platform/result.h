#pragma once

// The outcome of a routine that can fail: its value, or the error that tells why there is none — a code a
// caller can act on, and the message that tells the user. Result<void> is the outcome of an action that
// has no value. Every failure of the program travels this way, so that a window shows its message through
// MessageBoxes and the command-line companion prints its text.

#include <cassert>
#include <utility>
#include <variant>

#include "platform/message.h"

namespace orvane::platform {

// What kind of failure an error is.
enum class ErrorCode {
    InvalidInput,  // a value given is refused: a date row that does not convert, a moment out of range
    Unreadable,    // a file that is not there or cannot be read: no rights, not a file, too large
    Damaged,       // a file read whole whose content is not what it must be
    Unwritable,    // a file that cannot be written: no rights, writing or renaming failed
    NotAFile,      // a name to be written that stands for a folder, a FIFO or a device
    NoNewFile,     // no new file can be made in the folder (none there, no rights to it)
    DiskFull,      // the disk (or the user's quota) had no room for a file
};

struct Error {
    ErrorCode code = ErrorCode::InvalidInput;
    Message message;
    bool operator==(const Error&) const = default;
};

template <typename T>
class [[nodiscard]] Result {
public:
    explicit Result(T value) : m_outcome(std::in_place_index<0>, std::move(value)) {}
    explicit Result(Error error) : m_outcome(std::in_place_index<1>, std::move(error)) {}
    Result(ErrorCode code, Message message) : Result(Error{code, std::move(message)}) {}

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
    // The whole error, to hand on; its code; its message for the user.
    const Error& failure() const
    {
        assert(!ok());
        return std::get<1>(m_outcome);
    }
    ErrorCode code() const { return failure().code; }
    const Message& error() const { return failure().message; }

private:
    std::variant<T, Error> m_outcome;
};

template <>
class [[nodiscard]] Result<void> {
public:
    // Success.
    Result() = default;
    explicit Result(Error error) : m_error(std::move(error)), m_failed(true) {}
    Result(ErrorCode code, Message message) : Result(Error{code, std::move(message)}) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }

    const Error& failure() const
    {
        assert(!ok());
        return m_error;
    }
    ErrorCode code() const { return failure().code; }
    const Message& error() const { return failure().message; }

private:
    Error m_error;
    bool m_failed = false;
};

}  // namespace orvane::platform
