// Opens arbitrary bytes as a packed data file and reads every entry it registered.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzInputFile.h"
#include "resources/SFOperator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  const std::string aPath = FuzzInput::WriteScratchFile("sfoperator", ".pak", theData, theSize);
  if (aPath.empty()) return 0;
  SFOperator anOperator;
  if (!anOperator.Open(aPath)) return 0;
  for (const SFOperator::Binary& aBinary : anOperator.GetBinaries()) {
    std::unique_ptr<uint8_t[]> aData;
    int32_t aSize = 0;
    if (anOperator.GetBinaryByName(aData, aSize, aBinary.mName)) {
      uint32_t aSum = 0;
      for (int32_t i = 0; i < aSize; ++i) aSum += aData[i];
      if (aSum == 0xDEADBEEF) anOperator.GetLastError();
    }
  }
  return 0;
}
