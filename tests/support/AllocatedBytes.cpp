#include "support/AllocatedBytes.h"

#include <malloc.h>
#include <sys/resource.h>

#include "support/SanitizerHeap.h"

#ifdef TESK_TEST_SANITIZER_HEAP
// From the sanitizer runtime (gcc ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace TeskTest {

size_t AllocatedBytes() {
#ifdef TESK_TEST_SANITIZER_HEAP
  // The sanitizers' allocator answers for malloc, which then reports nothing.
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

size_t PeakResidentBytes() {
  rusage aUsage{};
  getrusage(RUSAGE_SELF, &aUsage);
  return static_cast<size_t>(aUsage.ru_maxrss) * 1024;
}

}  // namespace TeskTest
