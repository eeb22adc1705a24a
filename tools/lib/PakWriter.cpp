#include "PakWriter.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace TeskTools {

namespace {

const uint8_t k_Mask = 0x3B;

void PutU32(std::string& theOut, uint32_t theValue) {
  for (int i = 0; i < 4; ++i) theOut += static_cast<char>((theValue >> (8 * i)) & 0xFF);
}

void PutU64(std::string& theOut, uint64_t theValue) {
  PutU32(theOut, static_cast<uint32_t>(theValue));
  PutU32(theOut, static_cast<uint32_t>(theValue >> 32));
}

bool EndsWithNoCase(const std::string& theText, const std::string& theEnd) {
  return theText.size() >= theEnd.size() &&
         strcasecmp(theText.c_str() + theText.size() - theEnd.size(), theEnd.c_str()) == 0;
}

}  // namespace

bool PakWriter::Add(const std::string& theName, const std::string& theData, uint64_t theFileTime) {
  if (theName.size() > 255) return false;
  mEntries.push_back(Entry{theName, theData, theFileTime});
  return true;
}

bool PakWriter::AddFolder(const std::string& theFolder, const std::vector<std::string>& theSkipExtensions) {
  namespace fs = std::filesystem;
  std::error_code anError;
  std::vector<std::string> aNames;
  for (fs::recursive_directory_iterator anItr(theFolder, anError), anEnd; !anError && anItr != anEnd;
       anItr.increment(anError)) {
    if (!anItr->is_regular_file()) continue;
    std::string aName = anItr->path().lexically_relative(theFolder).generic_string();
    bool aSkip = false;
    for (const std::string& anExt : theSkipExtensions) aSkip = aSkip || EndsWithNoCase(aName, anExt);
    if (!aSkip) aNames.push_back(aName);
  }
  if (anError) return false;
  // Directory order does not depend on the file system: the same folder gives the same bytes.
  std::sort(aNames.begin(), aNames.end());
  for (const std::string& aName : aNames) {
    std::ifstream anIn(fs::path(theFolder) / aName, std::ios::binary);
    if (!anIn) return false;
    std::string aData((std::istreambuf_iterator<char>(anIn)), std::istreambuf_iterator<char>());
    std::string aStored = aName;
    std::replace(aStored.begin(), aStored.end(), '/', '\\');
    if (!Add(aStored, aData)) return false;
  }
  return true;
}

std::string PakWriter::PlainDirectory(const std::vector<Entry>& theEntries) {
  std::string anOut;
  PutU32(anOut, 0xBAC04AC0);
  PutU32(anOut, 0);
  for (const Entry& anEntry : theEntries) {
    anOut += static_cast<char>(0x00);
    anOut += static_cast<char>(anEntry.mName.size());
    anOut += anEntry.mName;
    PutU32(anOut, static_cast<uint32_t>(anEntry.mData.size()));
    PutU64(anOut, anEntry.mFileTime);
  }
  anOut += static_cast<char>(0x80);
  return anOut;
}

std::string PakWriter::Mask(const std::string& thePlain) {
  std::string anOut = thePlain;
  for (char& c : anOut) c = static_cast<char>(static_cast<uint8_t>(c) ^ k_Mask);
  return anOut;
}

std::string PakWriter::Bytes() const {
  std::string aPlain = PlainDirectory(mEntries);
  for (const Entry& anEntry : mEntries) aPlain += anEntry.mData;
  return Mask(aPlain);
}

bool PakWriter::WriteFile(const std::string& thePath) const {
  // Written beside the target and renamed over it, so a failed run leaves no half archive.
  std::string aTemp = thePath + ".tmp";
  {
    std::ofstream anOut(aTemp, std::ios::binary | std::ios::trunc);
    if (!anOut) return false;
    std::string aBytes = Bytes();
    anOut.write(aBytes.data(), static_cast<std::streamsize>(aBytes.size()));
    if (!anOut.flush()) return false;
  }
  std::error_code anError;
  std::filesystem::rename(aTemp, thePath, anError);
  return !anError;
}

}  // namespace TeskTools
