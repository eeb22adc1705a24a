// A program whose leak check at exit the sanitizer tests watch.
//   LeakCheckAtExit MODULE   loads MODULE (DynamicTlsModule) in a thread that is still running at
//                            exit, its dynamic TLS block placed 16 bytes into a page; prints
//                            "placed" when the block went there. Leaks nothing.
//   LeakCheckAtExit --leak   leaks 4321 bytes.
// Run with ASAN_OPTIONS=quarantine_size_mb=0:thread_local_quarantine_size_kb=0, so that a freed
// chunk is the next one the allocator hands out.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

void Leak() {
  void* volatile aBlock = std::malloc(4321);
  std::memset(aBlock, 1, 4321);
}

// Frees a 48-byte chunk that starts 16 bytes into a page, then touches the module's TLS, whose
// block is a 48-byte allocation: it gets that chunk. Returns whether it did.
bool PlaceThreadState(void* (*theTouch)()) {
  constexpr int k_Tries = 256;  // chunks are 64 bytes apart: one in 64 is 16 bytes into a page
  void* aChunks[k_Tries] = {};
  void* aPlaced = nullptr;
  for (int i = 0; i < k_Tries && aPlaced == nullptr; ++i) {
    aChunks[i] = std::malloc(48);
    if (reinterpret_cast<uintptr_t>(aChunks[i]) % 4096 == 16) aPlaced = aChunks[i];
  }
  std::free(aPlaced);
  const bool isPlaced = aPlaced != nullptr && theTouch() == aPlaced;
  for (void* aChunk : aChunks)
    if (aChunk != aPlaced) std::free(aChunk);
  return isPlaced;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: LeakCheckAtExit MODULE | --leak\n");
    return 2;
  }
  if (std::strcmp(argv[1], "--leak") == 0) {
    // In a thread that ends, so no stale copy of the pointer stays on a stack the checker scans.
    std::thread(Leak).join();
    return 0;
  }
  void* aModule = dlopen(argv[1], RTLD_NOW);
  if (aModule == nullptr) {
    std::fprintf(stderr, "LeakCheckAtExit: %s\n", dlerror());
    return 2;
  }
  auto aTouch = reinterpret_cast<void* (*)()>(dlsym(aModule, "TouchThreadState"));
  if (aTouch == nullptr) {
    std::fprintf(stderr, "LeakCheckAtExit: no TouchThreadState in %s\n", argv[1]);
    return 2;
  }
  // The thread keeps running, as a renderer's workers may when the program ends; it answers
  // through a pipe, which leaves nothing shared to outlive.
  int aPipe[2];
  if (pipe(aPipe) != 0) return 2;
  std::thread([aTouch, anAnswer = aPipe[1]] {
    const char aPlaced = PlaceThreadState(aTouch) ? 'y' : 'n';
    if (write(anAnswer, &aPlaced, 1) != 1) std::abort();
    for (;;) pause();
  }).detach();
  char aPlaced = 0;
  if (read(aPipe[0], &aPlaced, 1) != 1) return 2;
  std::printf("%s\n", aPlaced == 'y' ? "placed" : "not placed");
  return 0;
}
