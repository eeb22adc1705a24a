// A loadable module with thread-local storage of its own: the dynamic loader gives each thread
// that touches it a block of dynamic TLS, as it does for the OpenGL driver's libraries.
#include <cstdlib>

namespace {

// 48 bytes: the block the loader allocates for it is one of the allocator's 48-byte chunks.
struct ThreadState {
  char mScratch[40];
  void* mKept;  // held only here, so the leak checker must reach it through the block
};
thread_local ThreadState tState;

}  // namespace

// Touches this thread's block and returns where it starts.
extern "C" __attribute__((visibility("default"))) void* TouchThreadState() {
  void* aKept = std::malloc(100);
  tState.mKept = aKept;
  tState.mScratch[0] = 1;
  return &tState;
}
