// Without a sanitizer the global allocation functions are replaced by ones that count; under
// one, its allocator keeps them (and its checks) and a hook of its own counts instead. Built as
// a source of its own: inlined into a test, the replacement delete would show the compiler free()
// on memory from operator new.
#include "support/AllocationCount.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "support/SanitizerHeap.h"

namespace {
std::atomic<long> gAllocations{0};

void Count() { gAllocations.fetch_add(1, std::memory_order_relaxed); }
}  // namespace

namespace TeskTest {

long AllocationCount() { return gAllocations.load(); }

}  // namespace TeskTest

#ifdef TESK_TEST_SANITIZER_HEAP

// From the sanitizer runtime (gcc ships no header for it).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*theMalloc)(const volatile void*, size_t),
                                                         void (*theFree)(const volatile void*));

namespace {
void CountMalloc(const volatile void*, size_t) { Count(); }
void IgnoreFree(const volatile void*) {}
const int kHooked = __sanitizer_install_malloc_and_free_hooks(CountMalloc, IgnoreFree);
}  // namespace

#else

void* operator new(std::size_t theSize) {
  Count();
  if (void* p = std::malloc(theSize == 0 ? 1 : theSize)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t theSize) { return operator new(theSize); }
// Surfaces take their memory without exceptions: those count too, and free as the rest.
void* operator new(std::size_t theSize, const std::nothrow_t&) noexcept {
  Count();
  return std::malloc(theSize == 0 ? 1 : theSize);
}
void* operator new[](std::size_t theSize, const std::nothrow_t& theTag) noexcept {
  return operator new(theSize, theTag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

#endif
