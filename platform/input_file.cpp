#include "platform/input_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::platform {
namespace {

std::string Identity(const struct stat& status)
{
    const auto time = [](const struct timespec& t) {
        return std::to_string(t.tv_sec) + "." + std::to_string(t.tv_nsec);
    };
    return std::to_string(status.st_dev) + " " + std::to_string(status.st_ino) + " " + std::to_string(status.st_size) +
           " " + time(status.st_mtim) + " " + time(status.st_ctim);
}

}  // namespace

Result<InputFile> InputFile::Open(const std::string& path, uint64_t maxBytes, DescribeFileFault describe)
{
    // O_NONBLOCK: opening a FIFO returns at once instead of waiting for a writer. Opening a socket fails
    // with ENXIO: that too is something other than a file.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        const int error = errno;
        return Result<InputFile>(ErrorCode::Unreadable, error == ENXIO ? describe(FileFault::NotAFile, "")
                                                : describe(FileFault::CannotOpen, std::strerror(error)));
    }
    InputFile file(descriptor, 0, std::move(describe));
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        return Result<InputFile>(ErrorCode::Unreadable, file.m_describe(FileFault::CannotRead, std::strerror(errno)));
    if (!S_ISREG(status.st_mode))
        return Result<InputFile>(ErrorCode::Unreadable, file.m_describe(FileFault::NotAFile, ""));
    if (status.st_size < 0 || static_cast<uint64_t>(status.st_size) > maxBytes)
        return Result<InputFile>(ErrorCode::Unreadable, file.m_describe(FileFault::TooLarge, ""));
    file.m_size = static_cast<uint64_t>(status.st_size);
    file.m_identity = Identity(status);
    file.m_statusChanged = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(status.st_ctim.tv_sec) + std::chrono::nanoseconds(status.st_ctim.tv_nsec)));
    // A regular file: its reads end at its end and never wait, so the descriptor reads as any other.
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags >= 0)
        ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
    return Result<InputFile>(std::move(file));
}

InputFile::InputFile(int descriptor, uint64_t size, DescribeFileFault describe)
    : m_descriptor(descriptor), m_size(size), m_describe(std::move(describe))
{
}

InputFile::InputFile(InputFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)),
      m_size(other.m_size),
      m_identity(std::move(other.m_identity)),
      m_statusChanged(other.m_statusChanged),
      m_describe(std::move(other.m_describe))
{
}

InputFile& InputFile::operator=(InputFile&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_size = other.m_size;
        m_identity = std::move(other.m_identity);
        m_statusChanged = other.m_statusChanged;
        m_describe = std::move(other.m_describe);
    }
    return *this;
}

InputFile::~InputFile()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

std::shared_ptr<const MappedFile> InputFile::Map() const
{
    if (m_size == 0)
        return nullptr;
    const auto size = static_cast<size_t>(m_size);
    void* start = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, m_descriptor, 0);
    if (start == MAP_FAILED)
        return nullptr;
    return std::make_shared<const MappedFile>(start, size);
}

MappedFile::~MappedFile()
{
    ::munmap(const_cast<void*>(m_start), m_size);
}

Result<size_t> InputFile::Read(std::span<char> buffer)
{
    size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t got = ::read(m_descriptor, buffer.data() + filled, buffer.size() - filled);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return Result<size_t>(ErrorCode::Unreadable, m_describe(FileFault::CannotRead, std::strerror(errno)));
        }
        filled += static_cast<size_t>(got);
    }
    return Result<size_t>(filled);
}

bool InputFile::Holds(std::string_view content)
{
    std::array<char, 16384> piece;
    for (;;) {
        const Result<size_t> got = Read(piece);
        if (!got)
            return false;
        const std::string_view read(piece.data(), got.value());
        if (!content.starts_with(read))
            return false;
        content.remove_prefix(read.size());
        if (read.size() < piece.size())
            return content.empty();
    }
}

Result<std::string> ReadWholeFile(const std::string& path, uint64_t maxBytes, const DescribeFileFault& describe)
{
    Result<InputFile> opened = InputFile::Open(path, maxBytes, describe);
    if (!opened)
        return Result<std::string>(opened.failure());
    InputFile& file = opened.value();
    // One byte more than the size found at opening tells a file that grew since; it is read on, up to
    // one byte more than the bound.
    std::string content(static_cast<size_t>(file.size()) + 1, '\0');
    size_t filled = 0;
    for (;;) {
        const Result<size_t> got = file.Read(std::span<char>(content).subspan(filled));
        if (!got)
            return Result<std::string>(got.failure());
        filled += got.value();
        if (filled < content.size())
            break;
        if (content.size() > maxBytes)
            return Result<std::string>(ErrorCode::Unreadable, describe(FileFault::TooLarge, ""));
        content.resize(static_cast<size_t>(std::min<uint64_t>(2 * content.size(), maxBytes + 1)));
    }
    content.resize(filled);
    return Result<std::string>(std::move(content));
}

}  // namespace orvane::platform
