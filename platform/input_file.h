#pragma once

// Files the program reads whole: the state files, the program text and the Pluto table.
//
// A file is opened first, without waiting, and only then checked on the open descriptor: a regular file
// of at most the size its reader allows. Checking the name before opening it would leave a moment in
// which the file can be swapped for a FIFO (whose opening waits for a writer that never comes) or a
// device; opened this way, whatever the name stands for at the moment of opening is what is checked
// and read, and nothing waits.

#include "platform/message.h"
#include "platform/result.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace orvane::platform {

// What kept a file from being read.
enum class FileFault {
    CannotOpen,  // no such file, no right to read it …
    NotAFile,    // a folder, a FIFO, a device, a socket
    TooLarge,    // larger than its reader allows
    CannotRead,  // a read error after opening
};

// How a reader words a fault, given the system's description of it (empty for NotAFile and TooLarge).
using DescribeFileFault = std::function<Message(FileFault fault, const std::string& reason)>;

class MappedFile;

class InputFile {
public:
    // Opens `path` for reading; a file that is not a regular file of at most `maxBytes` is refused with
    // the message `describe` gives for its fault, as is every later read error.
    static Result<InputFile> Open(const std::string& path, uint64_t maxBytes, DescribeFileFault describe);

    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // The file's size when it was opened.
    uint64_t size() const { return m_size; }

    // What told this file from any other, and from itself after any change, when it was opened: its
    // device, inode and size and the times of its last change of content and of status. The status
    // time is the system's own: no program can set it back.
    const std::string& identity() const { return m_identity; }
    // When the file's status last changed (any write, rename or change of rights).
    std::chrono::system_clock::time_point statusChanged() const { return m_statusChanged; }

    // The whole file mapped into memory read-only; null where the system cannot map it.
    std::shared_ptr<const MappedFile> Map() const;

    // Fills `buffer` from the file until it is full or the file ends: the number of bytes read.
    Result<size_t> Read(std::span<char> buffer);

    // Whether the rest of the file is exactly `content`: read piece by piece and compared, without a
    // copy of the whole. False on a read error.
    bool Holds(std::string_view content);

private:
    InputFile(int descriptor, uint64_t size, DescribeFileFault describe);

    int m_descriptor = -1;
    uint64_t m_size = 0;
    std::string m_identity;
    std::chrono::system_clock::time_point m_statusChanged;
    DescribeFileFault m_describe;
};

// A file's content as the system's page cache holds it, mapped read-only: reading it costs only the
// pages that are looked at. For a large table that a short run reads a few lines of.
class MappedFile {
public:
    MappedFile(const void* start, size_t size) : m_start(start), m_size(size) {}
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    const char* data() const { return static_cast<const char*>(m_start); }
    size_t size() const { return m_size; }

private:
    const void* m_start;
    size_t m_size;
};

// The whole content of the regular file `path` of at most `maxBytes` (a file that grows beyond that
// while it is read is refused as well).
Result<std::string> ReadWholeFile(const std::string& path, uint64_t maxBytes, const DescribeFileFault& describe);

}  // namespace orvane::platform
