#include <kyr/schema/slab.hpp>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

#if defined(__SANITIZE_ADDRESS__)
#define KYR_SLAB_PLAIN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KYR_SLAB_PLAIN_HEAP 1
#endif
#endif
#if !defined(KYR_SLAB_PLAIN_HEAP) && !defined(__unix__)
#define KYR_SLAB_PLAIN_HEAP 1
#endif

#ifndef KYR_SLAB_PLAIN_HEAP
#include <sys/mman.h>
#endif

namespace kyr {
namespace schema {
namespace slab {

#ifdef KYR_SLAB_PLAIN_HEAP

void* allocate(std::size_t size)
{
    return ::operator new(size);
}

void* allocate(std::size_t size, const std::nothrow_t&) noexcept
{
    return ::operator new(size, std::nothrow);
}

void release(void* block) noexcept
{
    ::operator delete(block);
}

void release(void* block, std::size_t) noexcept
{
    ::operator delete(block);
}

#else

namespace {

// A chunk's header sits at its start, so a block finds it by rounding its address down.
constexpr std::size_t k_chunk_bytes = std::size_t(64) * 1024;
// Larger blocks would leave too much of a chunk unused; they get a mapping of their own.
constexpr std::size_t k_largest_carved = std::size_t(8) * 1024;
// Chunks are mapped this many at a time (untouched pages cost no memory).
constexpr std::size_t k_chunks_per_mapping = 16;
// Blocks are carved in multiples of this, aligned for any fundamental type.
constexpr std::size_t k_unit = alignof(std::max_align_t);
// Empty chunks kept for the next document instead of being unmapped (4 MiB).
constexpr std::size_t k_chunks_kept = 64;
// Added to the count of a chunk while a thread carves from it, so that the chunk
// cannot reach zero before the thread moves on, whatever other threads free.
constexpr std::size_t k_carving = std::size_t(1) << 48;

struct alignas(alignof(std::max_align_t)) header
{
    std::atomic<std::size_t> live; // blocks not yet released, plus k_carving while current
    std::size_t mapped;            // bytes of a mapping that holds one large block, or 0
};
constexpr std::size_t k_header_bytes = sizeof(header);

std::size_t rounded(std::size_t size, std::size_t unit)
{
    return (size + unit - 1) / unit * unit;
}

// Maps bytes (a multiple of the page) at an address aligned to a chunk.
char* map_aligned(std::size_t bytes)
{
    const std::size_t spare = k_chunk_bytes;
    void* raw = mmap(nullptr, bytes + spare, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    char* start = static_cast<char*>(raw);
    char* aligned = reinterpret_cast<char*>(rounded(reinterpret_cast<std::uintptr_t>(start), k_chunk_bytes));
    if (aligned != start)
        munmap(start, static_cast<std::size_t>(aligned - start));
    if (aligned + bytes != start + bytes + spare)
        munmap(aligned + bytes, static_cast<std::size_t>(start + bytes + spare - (aligned + bytes)));
    return aligned;
}

// Empty chunks; trivially destructible, so that documents freed by static destructors
// can still give their chunks back.
struct chunk_store
{
    std::mutex lock;
    header* kept[k_chunks_kept];
    std::size_t count;
};
chunk_store g_store;

header* take_chunk()
{
    std::lock_guard<std::mutex> hold(g_store.lock);
    if (g_store.count == 0) {
        char* mapped = map_aligned(k_chunk_bytes * k_chunks_per_mapping);
        if (!mapped)
            return nullptr;
        for (std::size_t i = k_chunks_per_mapping; i-- > 1;)
            g_store.kept[g_store.count++] = reinterpret_cast<header*>(mapped + i * k_chunk_bytes);
        return reinterpret_cast<header*>(mapped);
    }
    return g_store.kept[--g_store.count];
}

void give_back(header* chunk)
{
    {
        std::lock_guard<std::mutex> hold(g_store.lock);
        if (g_store.count < k_chunks_kept) {
            g_store.kept[g_store.count++] = chunk;
            return;
        }
    }
    munmap(chunk, k_chunk_bytes);
}

void drop(header* chunk, std::size_t blocks)
{
    if (chunk->live.fetch_sub(blocks, std::memory_order_acq_rel) == blocks)
        give_back(chunk);
}

// The chunk a thread carves from; it is let go when the thread ends. Blocks of known size
// that this thread gives back while it still carves from their chunk go on a list per
// size and are carved again first (a list growing while it is read frees its smaller
// blocks); they leave the count, so the chunk can still empty once the thread moves on.
struct carver
{
    static constexpr std::size_t k_sizes = k_largest_carved / k_unit;

    header* current = nullptr;
    char* next = nullptr;
    char* end = nullptr;
    std::size_t carved = 0; // blocks of current out in use
    void* recycled[k_sizes] = {};

    ~carver() { let_go(); }
    void let_go()
    {
        if (current)
            drop(current, k_carving - carved);
        current = nullptr;
        next = end = nullptr;
        std::memset(recycled, 0, sizeof recycled);
    }
    bool start_chunk()
    {
        let_go();
        header* chunk = take_chunk();
        if (!chunk)
            return false;
        chunk->live.store(k_carving, std::memory_order_relaxed);
        chunk->mapped = 0;
        current = chunk;
        next = reinterpret_cast<char*>(chunk) + k_header_bytes;
        end = reinterpret_cast<char*>(chunk) + k_chunk_bytes;
        carved = 0;
        return true;
    }
    // size is a multiple of k_unit, from k_unit to k_largest_carved.
    void* carve(std::size_t size)
    {
        void*& reused = recycled[size / k_unit - 1];
        if (reused) {
            void* block = reused;
            std::memcpy(&reused, block, sizeof reused);
            ++carved;
            return block;
        }
        if (static_cast<std::size_t>(end - next) < size && !start_chunk())
            return nullptr;
        void* block = next;
        next += size;
        ++carved;
        return block;
    }
    bool recycle(header* chunk, void* block, std::size_t size)
    {
        if (chunk != current)
            return false;
        void*& reused = recycled[size / k_unit - 1];
        std::memcpy(block, &reused, sizeof reused);
        reused = block;
        --carved;
        return true;
    }
};
thread_local carver t_carver;

void* map_large(std::size_t size)
{
    if (size > SIZE_MAX / 2)
        return nullptr;
    const std::size_t bytes = rounded(k_header_bytes + size, 4096);
    char* mapped = map_aligned(bytes);
    if (!mapped)
        return nullptr;
    header* chunk = new (mapped) header{{1}, bytes};
    return reinterpret_cast<char*>(chunk) + k_header_bytes;
}

void* carve(std::size_t size) noexcept
{
    if (size > k_largest_carved)
        return map_large(size);
    return t_carver.carve(rounded(size ? size : 1, k_unit));
}

header* chunk_of(void* block)
{
    return reinterpret_cast<header*>(reinterpret_cast<std::uintptr_t>(block) & ~(k_chunk_bytes - 1));
}

// KYR_PLAIN_HEAP=1 in the environment makes every block a heap block of its own, so that a
// memory checker such as valgrind's sees each object, its leaks and its misuse. Read once:
// a block must go back the way it came.
bool plain_heap()
{
    static const bool plain = [] {
        const char* value = std::getenv("KYR_PLAIN_HEAP");
        return value && *value && std::strcmp(value, "0") != 0;
    }();
    return plain;
}

} // namespace

void* allocate(std::size_t size)
{
    if (plain_heap())
        return ::operator new(size);
    if (void* block = carve(size))
        return block;
    throw std::bad_alloc();
}

void* allocate(std::size_t size, const std::nothrow_t&) noexcept
{
    return plain_heap() ? ::operator new(size, std::nothrow) : carve(size);
}

void release(void* block) noexcept
{
    if (plain_heap()) {
        ::operator delete(block);
        return;
    }
    if (!block)
        return;
    header* chunk = chunk_of(block);
    if (chunk->mapped)
        munmap(chunk, chunk->mapped);
    else
        drop(chunk, 1);
}

void release(void* block, std::size_t size) noexcept
{
    if (block && !plain_heap() && size <= k_largest_carved
        && t_carver.recycle(chunk_of(block), block, rounded(size ? size : 1, k_unit)))
        return;
    release(block);
}

#endif

} // namespace slab
} // namespace schema
} // namespace kyr
