#pragma once
// The global allocation functions of the native test binary count what they hand out, so that
// tests can show a path allocates nothing, or that memory stays flat over many uses.
#include <cstdint>

namespace kv::test {

struct LiveAllocations {
    std::int64_t blocks = 0;
    std::int64_t bytes = 0;
};

// What is allocated and not yet freed, in the whole test binary.
LiveAllocations CurrentLiveAllocations();

// Counts allocation calls while it lives.
class AllocationCounter {
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;
    int Count() const;
};

}  // namespace kv::test
