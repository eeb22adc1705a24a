// Any bytes as the chant game's save body (see MiniGameSaveFuzz.h).
#include "MiniGameSaveFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  return MiniGameSaveFuzz::Run(Tesk::MiniGame::k_kindChant, theData, theSize);
}
