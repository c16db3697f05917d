#include "platform/large_memory.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace orvane::platform {

#if defined(__linux__)
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kLargeBlock = std::size_t{1} << 20;

std::size_t RoundedToHugePages(std::size_t bytes)
{
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

void* AllocateLarge(std::size_t bytes)
{
    if (bytes < kLargeBlock)
        return ::operator new(bytes);
    // A huge page needs an address that is a multiple of its size: map one huge page more than needed
    // and give back the ends around the aligned part.
    const std::size_t size = RoundedToHugePages(bytes);
    void* mapped = mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start)
        munmap(mapped, aligned - start);
    if (const std::uintptr_t tail = start + kHugePage - aligned; tail > 0)
        munmap(reinterpret_cast<void*>(aligned + size), tail);
    auto* block = reinterpret_cast<void*>(aligned);
    madvise(block, size, MADV_HUGEPAGE);  // a hint: without it the block still works, on small pages
    return block;
}

void FreeLarge(void* block, std::size_t bytes) noexcept
{
    if (bytes < kLargeBlock)
        ::operator delete(block);
    else
        munmap(block, RoundedToHugePages(bytes));
}

#else

void* AllocateLarge(std::size_t bytes)
{
    return ::operator new(bytes);
}

void FreeLarge(void* block, std::size_t) noexcept
{
    ::operator delete(block);
}

#endif

}  // namespace orvane::platform
