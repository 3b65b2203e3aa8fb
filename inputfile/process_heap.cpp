#include "inputfile/process_heap.h"

#include <cstdlib>  // (defines __GLIBC__ on the C library that has mallopt)
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kv {

void KeepFreedHeap() {
#if defined(__GLIBC__)
  // The largest project with its file's bytes and column map stays well inside this.
  constexpr int kKept = 4 << 20;
  mallopt(M_TRIM_THRESHOLD, kKept);
#endif
}

}  // namespace kv
