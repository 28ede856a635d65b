#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace {

const char* AllocationOf(const void* block, DWORD* state) {
    MEMORY_BASIC_INFORMATION region = {};
    EXPECT_NE(VirtualQuery(block, &region, sizeof(region)), 0u);
    *state = region.State;
    return static_cast<const char*>(region.AllocationBase);
}

// A picture's pixels, by every form of new, lie in pages of their own that are gone once freed; a
// small block stays in the heap (this test program links the same operator new as the game).
TEST(LargeBlocks, BigBlocksHavePagesOfTheirOwnGivenBackWhenFreed) {
    DWORD state = 0;
    const char* pages[3] = {};
    {
        std::vector<uint32_t> pixels(300 * 225, 7);
        std::unique_ptr<char[]> bytes(new char[1 << 20]);
        std::unique_ptr<char[]> spare(new (std::nothrow) char[64 * 1024]);
        const char* blocks[] = {reinterpret_cast<const char*>(pixels.data()), bytes.get(), spare.get()};
        for (int i = 0; i < 3; ++i) {
            pages[i] = AllocationOf(blocks[i], &state);
            EXPECT_EQ(blocks[i] - pages[i], 16) << i;
            EXPECT_EQ(state, DWORD(MEM_COMMIT)) << i;
        }
    }
    for (const char* freed : pages) {
        AllocationOf(freed, &state);
        EXPECT_EQ(state, DWORD(MEM_FREE));
    }
    const std::vector<uint32_t> small(1000);
    EXPECT_NE(reinterpret_cast<const char*>(small.data()) - AllocationOf(small.data(), &state), 16);
}

} // namespace
