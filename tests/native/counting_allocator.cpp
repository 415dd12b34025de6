#include "counting_allocator.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> g_counting{false};
std::atomic<int> g_calls{0};
std::atomic<std::int64_t> g_liveBlocks{0};
std::atomic<std::int64_t> g_liveBytes{0};

// Each block carries its size in front, aligned as operator new must align.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    if (g_counting.load(std::memory_order_relaxed)) g_calls.fetch_add(1, std::memory_order_relaxed);
    auto* block = static_cast<unsigned char*>(std::malloc(kHeader + size));
    if (!block) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    g_liveBlocks.fetch_add(1, std::memory_order_relaxed);
    g_liveBytes.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed);
    return block + kHeader;
}

void Free(void* p) noexcept {
    if (!p) return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    g_liveBlocks.fetch_sub(1, std::memory_order_relaxed);
    g_liveBytes.fetch_sub(static_cast<std::int64_t>(*reinterpret_cast<std::size_t*>(block)),
                          std::memory_order_relaxed);
    std::free(block);
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try { return Allocate(size); } catch (...) { return nullptr; }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try { return Allocate(size); } catch (...) { return nullptr; }
}
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Free(p); }

namespace kv::test {

LiveAllocations CurrentLiveAllocations() {
    return {g_liveBlocks.load(std::memory_order_relaxed), g_liveBytes.load(std::memory_order_relaxed)};
}

AllocationCounter::AllocationCounter() {
    g_calls = 0;
    g_counting = true;
}
AllocationCounter::~AllocationCounter() { g_counting = false; }
int AllocationCounter::Count() const { return g_calls.load(); }

}  // namespace kv::test
