// The slab that the objects of documents come from: aligned blocks that never overlap,
// whatever their size, and blocks freed by other threads or after their thread ended.
#include <kyr/schema/slab.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

namespace slab = kyr::schema::slab;

namespace {

struct block
{
    unsigned char* bytes;
    std::size_t size;
};

// Carved in turn: empty, small, the largest carved from a chunk, mapped on their own.
std::vector<block> carve_marked()
{
    static const std::size_t sizes[] = {0, 1, 24, 300, 8192, 8193, 70000};
    std::vector<block> blocks;
    for (std::size_t i = 0; i < 700; ++i) {
        const std::size_t size = sizes[i % 7];
        blocks.push_back({static_cast<unsigned char*>(slab::allocate(size)), size});
        std::memset(blocks.back().bytes, int(i & 0xff), size);
    }
    return blocks;
}

void check_and_release(const std::vector<block>& blocks)
{
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const unsigned char* bytes = blocks[i].bytes;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes) % alignof(std::max_align_t), 0u) << i;
        EXPECT_EQ(std::count(bytes, bytes + blocks[i].size, i & 0xff), std::ptrdiff_t(blocks[i].size)) << i;
        if (i % 2)
            slab::release(blocks[i].bytes);
        else
            slab::release(blocks[i].bytes, blocks[i].size);
    }
}

TEST(Slab, BlocksOfEverySizeKeepTheirContent)
{
    check_and_release(carve_marked()); // the room of those released with their size is carved again
    const std::vector<block> first = carve_marked();
    const std::vector<block> second = carve_marked();
    check_and_release(first);
    check_and_release(second);
}

TEST(Slab, BlocksOutliveTheThreadThatCarvedThem)
{
    std::vector<block> blocks;
    std::thread([&] { blocks = carve_marked(); }).join();
    const std::vector<block> later = carve_marked(); // must not reuse the ended thread's chunks
    check_and_release(blocks);
    check_and_release(later);
}

TEST(Slab, BlocksFreedByAnotherThreadGoBackForReuse)
{
    const std::vector<block> blocks = carve_marked();
    std::thread([&] { check_and_release(blocks); }).join();
    check_and_release(carve_marked());
}

} // namespace
