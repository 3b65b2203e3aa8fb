#include "inputfile/process_heap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define KV_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KV_OWN_ALLOCATOR 1
#endif
#endif

namespace kv {
namespace {

// The memory of a dropped project stays with the program for the next one.
TEST(ProcessHeap, MemoryOfADroppedProjectIsKeptForTheNext) {
#if !defined(__GLIBC__) || defined(KV_OWN_ALLOCATOR)
  GTEST_SKIP() << "this C library or the sanitizer's allocator keeps the heap its own way";
#else
  KeepFreedHeap();
  const std::size_t before = mallinfo2().arena;
  {
    // Blocks the size of a full table until the heap has grown by 1 MB, more than the
    // largest project takes (the first ones may fill what earlier work freed).
    std::vector<std::vector<char>> tables;
    while (mallinfo2().arena < before + (1u << 20) && tables.size() < 100) tables.emplace_back(100000, 'x');
    ASSERT_GE(mallinfo2().arena, before + (1u << 20));
  }
  EXPECT_GE(mallinfo2().arena, before + (1u << 20));
#endif
}

}  // namespace
}  // namespace kv
