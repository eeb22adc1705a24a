// Any bytes as a preference file: parsing never fails hard, what it reads writes back out to
// text that reads the same, and that text cut short anywhere after its header reads as damaged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/corefoundation/PreferencesFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  PreferencesFile::Store aStore;
  std::string anError;
  PreferencesFile::Parse(std::string(reinterpret_cast<const char*>(theData), theSize), &aStore, &anError);
  const std::string aText = PreferencesFile::Format(aStore);
  PreferencesFile::Store aBack;
  if (!PreferencesFile::Parse(aText, &aBack, &anError) || !(aBack == aStore)) std::abort();
  const size_t aHeaderLine = aText.find('\n') + 1;
  const size_t aCut = aHeaderLine + (theSize * 2654435761u) % (aText.size() - aHeaderLine);
  PreferencesFile::Store aCutStore;
  if (PreferencesFile::Parse(aText.substr(0, aCut), &aCutStore, &anError)) std::abort();
  return 0;
}
