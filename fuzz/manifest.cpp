// Parses arbitrary bytes as a resource manifest.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "resources/ResourceManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  static const std::string sPath = "/tmp/fuzz_manifest_" + std::to_string(getpid()) + ".xml";
  FILE* aFile = fopen(sPath.c_str(), "wb");
  if (aFile == nullptr) return 0;
  fwrite(theData, 1, theSize, aFile);
  fclose(aFile);
  Tesk::ResourceManager aManager(nullptr);
  aManager.ParseResourcesFile(sPath);
  aManager.GetErrorText();
  return 0;
}
