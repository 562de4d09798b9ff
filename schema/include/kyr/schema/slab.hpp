// Memory for the objects of documents: generated classes and the blocks of their child
// lists are carved from 64 KiB chunks that the library maps itself, so a load neither
// pays for nor depends on what other code left in the C library's heap.
//
// Each thread carves from a current chunk of its own; a chunk counts its live blocks and
// is given back when the last one goes and no thread carves from it any more, so an
// object may be freed by any thread, moved to another document or outlive its own.
// Blocks above a few KiB get a mapping of their own. Builds with AddressSanitizer use
// plain new and delete, so that it still sees every block, and so does any build run with
// KYR_PLAIN_HEAP=1 in its environment (for valgrind's memcheck and similar checkers).
#ifndef KYR_SCHEMA_SLAB_HPP
#define KYR_SCHEMA_SLAB_HPP

#include <kyr/export.hpp>

#include <cstddef>
#include <new>

namespace kyr {
namespace schema {
namespace slab {

// At least size bytes aligned for any fundamental type; throws std::bad_alloc.
KYR_API void* allocate(std::size_t size);
// The same, or null when no memory is left.
KYR_API void* allocate(std::size_t size, const std::nothrow_t&) noexcept;
// Gives back a block of allocate (null is ignored), from any thread.
KYR_API void release(void* block) noexcept;
// The same for a block of the size asked for, which may be carved again sooner.
KYR_API void release(void* block, std::size_t size) noexcept;

// For standard containers whose storage belongs with the objects.
template <typename T>
struct allocator
{
    using value_type = T;
    allocator() = default;
    template <typename U>
    allocator(const allocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t count) { return static_cast<T*>(slab::allocate(count * sizeof(T))); }
    void deallocate(T* block, std::size_t count) noexcept { slab::release(block, count * sizeof(T)); }
    template <typename U>
    bool operator==(const allocator<U>&) const noexcept
    {
        return true;
    }
    template <typename U>
    bool operator!=(const allocator<U>&) const noexcept
    {
        return false;
    }
};

} // namespace slab
} // namespace schema
} // namespace kyr

#endif
