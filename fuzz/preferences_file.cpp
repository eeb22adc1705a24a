// Any bytes as a preference file: parsing never fails hard, and what it reads
// writes back out to text that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/corefoundation/PreferencesFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  PreferencesFile::Store aStore;
  std::string anError;
  PreferencesFile::Parse(std::string(reinterpret_cast<const char*>(theData), theSize), &aStore, &anError);
  PreferencesFile::Store aBack;
  if (!PreferencesFile::Parse(PreferencesFile::Format(aStore), &aBack, &anError) || !(aBack == aStore))
    std::abort();
  return 0;
}
