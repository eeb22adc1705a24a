// Any bytes as the potion game's save body (see MiniGameSaveFuzz.h).
#include "MiniGameSaveFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  return MiniGameSaveFuzz::Run(Tesk::MiniGame::k_kindPotion, theData, theSize);
}
