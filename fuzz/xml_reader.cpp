// Reads arbitrary bytes as an XML file, element by element, from disk and from an archive.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "PakWriter.h"
#include "resources/PakInterface.h"
#include "resources/XMLParser.h"

namespace {

void ReadAll(const std::string& theName) {
  Tesk::XMLParser aParser;
  if (!aParser.OpenFile(theName)) return;
  Tesk::XMLElement anElement;
  for (int i = 0; i < 100000 && aParser.NextElement(&anElement); ++i) {
    Tesk::XMLElement aCopy = anElement;
    (void)aCopy;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  static const std::string sDir = "/tmp/fuzz_xml_" + std::to_string(getpid());
  std::string aBytes(reinterpret_cast<const char*>(theData), theSize);
  FILE* aFile = fopen((sDir + ".xml").c_str(), "wb");
  if (aFile == nullptr) return 0;
  fwrite(aBytes.data(), 1, aBytes.size(), aFile);
  fclose(aFile);
  ReadAll(sDir + ".xml");

  TeskTools::PakWriter aWriter;
  aWriter.Add("fuzz\\in.xml", aBytes);
  if (!aWriter.WriteFile(sDir + ".pak")) return 0;
  PakInterfaceBase* anOld = *gPakInterfaceP;
  {
    PakInterface aPak;
    aPak.AddPakFile(sDir + ".pak");
    *gPakInterfaceP = &aPak;
    ReadAll("fuzz/in.xml");
    *gPakInterfaceP = anOld;
  }
  return 0;
}
