#pragma once

// Memory for large tables that are filled once at start-up and kept (the Pluto table's megabyte).
//
// Touching fresh memory costs a page fault per 4 KiB page the first time, and on a virtual machine
// each fault is expensive: a megabyte's 270 faults took longer than everything else that
// `orvane-cli positions` does. Blocks of a mebibyte or more are therefore asked for on Linux's
// transparent huge pages (2 MiB each, one fault); where the system declines, they are ordinary pages.
// Smaller blocks come from the ordinary allocator.

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

namespace orvane::platform {

// `bytes` of uninitialised memory; throws std::bad_alloc when there is none.
void* AllocateLarge(std::size_t bytes);

// Gives back a block from AllocateLarge of the same size.
void FreeLarge(void* block, std::size_t bytes) noexcept;

// A standard allocator on AllocateLarge, for a std::vector holding such a table.
template <class T>
struct LargeAllocator {
    using value_type = T;
    using is_always_equal = std::true_type;

    LargeAllocator() = default;
    template <class U>
    LargeAllocator(const LargeAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n) { return static_cast<T*>(AllocateLarge(n * sizeof(T))); }
    // Elements made without a value are left uninitialised, as the table's file is read over them at once:
    // zeroing a megabyte first would cost as much as a third of decoding it.
    template <class U>
    void construct(U* element) noexcept(std::is_nothrow_default_constructible_v<U>)
    {
        ::new (static_cast<void*>(element)) U;
    }
    template <class U, class... Args>
    void construct(U* element, Args&&... args)
    {
        ::new (static_cast<void*>(element)) U(std::forward<Args>(args)...);
    }
    void deallocate(T* block, std::size_t n) noexcept { FreeLarge(block, n * sizeof(T)); }

    template <class U>
    bool operator==(const LargeAllocator<U>&) const noexcept
    {
        return true;
    }
};

}  // namespace orvane::platform
