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

#include <cstdint>
#include <functional>
#include <span>
#include <string>

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

    // Fills `buffer` from the file until it is full or the file ends: the number of bytes read.
    Result<size_t> Read(std::span<char> buffer);

private:
    InputFile(int descriptor, uint64_t size, DescribeFileFault describe);

    int m_descriptor = -1;
    uint64_t m_size = 0;
    DescribeFileFault m_describe;
};

// The whole content of the regular file `path` of at most `maxBytes` (a file that grows beyond that
// while it is read is refused as well).
Result<std::string> ReadWholeFile(const std::string& path, uint64_t maxBytes, const DescribeFileFault& describe);

}  // namespace orvane::platform
