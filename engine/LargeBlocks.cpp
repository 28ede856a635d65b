// The program's blocks of LargeBlockBytes and more (a picture's pixels, a file read whole) come
// from pages of their own, given back to the system when freed. In the C runtime's heap they would
// leave holes between the smaller blocks that outlive them: a day of deals, each decoding its
// pictures while the last deal's are still kept, would touch ever more of the heap for good.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

const size_t LargeBlockBytes = 64 * 1024;

// Before a block from pages of its own: its size and a mark that tells it from a heap block.
// 16 bytes, so the block keeps the alignment operator new promises.
struct PagesHeader {
    size_t Size;
    uintptr_t Mark;
};

uintptr_t MarkOf(uintptr_t pages) {
    return pages ^ uintptr_t(0x59574C4152474542ull);
}

void* Allocate(size_t size) {
    if (size < LargeBlockBytes)
        return std::malloc(size != 0 ? size : 1);
    void* pages = VirtualAlloc(nullptr, size + sizeof(PagesHeader), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (pages == nullptr)
        return nullptr;
    PagesHeader* header = static_cast<PagesHeader*>(pages);
    header->Size = size;
    header->Mark = MarkOf(uintptr_t(pages));
    return header + 1;
}

// Pages of its own start on the system's allocation granularity, which a heap block's header never
// does, and carry the mark.
bool FromPages(void* block) {
    const uintptr_t pages = uintptr_t(block) - sizeof(PagesHeader);
    return pages % (64 * 1024) == 0 && reinterpret_cast<const PagesHeader*>(pages)->Mark == MarkOf(pages);
}

void Free(void* block) {
    if (block == nullptr)
        return;
    if (FromPages(block))
        VirtualFree(static_cast<PagesHeader*>(block) - 1, 0, MEM_RELEASE);
    else
        std::free(block);
}

void* AllocateOrThrow(size_t size) {
    for (;;) {
        if (void* block = Allocate(size))
            return block;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr)
            throw std::bad_alloc();
        handler();
    }
}

} // namespace

void* operator new(size_t size) {
    return AllocateOrThrow(size);
}

void* operator new[](size_t size) {
    return AllocateOrThrow(size);
}

void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return AllocateOrThrow(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    try {
        return AllocateOrThrow(size);
    } catch (...) {
        return nullptr;
    }
}

void operator delete(void* block) noexcept {
    Free(block);
}

void operator delete[](void* block) noexcept {
    Free(block);
}

void operator delete(void* block, size_t) noexcept {
    Free(block);
}

void operator delete[](void* block, size_t) noexcept {
    Free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept {
    Free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept {
    Free(block);
}
