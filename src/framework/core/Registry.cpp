#include "core/Registry.h"

#include <cstring>
#include <vector>

#include "platform/corefoundation/CFPreferences.h"

namespace Tesk {

Registry::Registry(const std::string* theRegKey, RegistryDemoHooks* theDemo)
    : mRegKey(theRegKey), mDemo(theDemo) {}

void Registry::GetKeyPath(const std::string& theRegKey, const std::string& theValueName,
                          std::string* theKeyPath, std::string* theName) {
  *theKeyPath = "SOFTWARE\\" + RemoveTrailingSlash(theRegKey);
  const size_t aSlash = theValueName.rfind('\\');
  if (aSlash == std::string::npos) {
    *theName = theValueName;
  } else {
    *theKeyPath += "\\" + theValueName.substr(0, aSlash);
    *theName = theValueName.substr(aSlash + 1);
  }
}

bool Registry::TakeDemoCommand(int theNumber) {
  // A command that is not the one expected means the replay has diverged: the read or write fails.
  if (!mDemo->PrepareDemoCommand(true)) return false;
  if (mDemo->IsDemoShortCommand() || mDemo->GetDemoCommandNumber() != theNumber) return false;
  mDemo->SetDemoNeedsCommand();
  return true;
}

bool Registry::PlaybackRead(uint32_t* theType, uint8_t* theValue, uint32_t* theLength) {
  if (mDemo->IsWindowClosed() || !TakeDemoCommand(DEMO_REGISTRY_READ)) return false;
  Buffer& aBuffer = mDemo->GetDemoBuffer();
  if (aBuffer.ReadNumBits(1, false) == 0) return false;
  const uint32_t aType = static_cast<uint32_t>(aBuffer.ReadNumBits(32, false));
  const uint32_t aLength = static_cast<uint32_t>(aBuffer.ReadNumBits(32, false));
  if (aLength > *theLength) {
    // A length past the recorded bytes comes from a damaged demo; skipping stops at their end.
    for (uint32_t i = 0; i < aLength && aBuffer.mReadBitPos + 8 <= aBuffer.mDataBitSize; ++i)
      aBuffer.ReadByte();
    return false;
  }
  *theType = aType;
  *theLength = aLength;
  aBuffer.ReadBytes(theValue, static_cast<int>(aLength));
  return true;
}

void Registry::RecordRead(bool theSuccess, uint32_t theType, const uint8_t* theValue, uint32_t theLength) {
  if (mDemo == nullptr || !mDemo->IsRecordingDemo()) return;
  mDemo->WriteDemoTimingBlock();
  Buffer& aBuffer = mDemo->GetDemoBuffer();
  aBuffer.WriteNumBits(0, 1);
  aBuffer.WriteNumBits(DEMO_REGISTRY_READ, 5);
  aBuffer.WriteNumBits(theSuccess ? 1 : 0, 1);
  if (!theSuccess) return;
  aBuffer.WriteNumBits(static_cast<int>(theType), 32);
  aBuffer.WriteNumBits(static_cast<int>(theLength), 32);
  aBuffer.WriteBytes(theValue, static_cast<int>(theLength));
}

void Registry::RecordWrite(bool theSuccess) {
  if (mDemo == nullptr || !mDemo->IsRecordingDemo()) return;
  mDemo->WriteDemoTimingBlock();
  Buffer& aBuffer = mDemo->GetDemoBuffer();
  aBuffer.WriteNumBits(0, 1);
  aBuffer.WriteNumBits(DEMO_REGISTRY_WRITE, 5);
  aBuffer.WriteNumBits(theSuccess ? 1 : 0, 1);
}

bool Registry::RegistryReadKey(const std::string& theValueName, uint32_t* theType, uint8_t* theValue,
                               uint32_t* theLength) {
  if (mRegKey == nullptr || mRegKey->empty()) return false;
  if (mDemo != nullptr && mDemo->IsPlayingDemo()) return PlaybackRead(theType, theValue, theLength);

  std::string aKeyPath, aName;
  GetKeyPath(*mRegKey, theValueName, &aKeyPath, &aName);
  CFPreferencesDictionary aDictionary;
  bool aFound = CFPreferencesCopyAppValue(aKeyPath, &aDictionary);
  auto anIt = aDictionary.find(aName);
  aFound = aFound && anIt != aDictionary.end() && anIt->second.size() <= *theLength;
  if (!aFound) {
    RecordRead(false, 0, nullptr, 0);
    return false;
  }
  const std::vector<uint8_t>& aBytes = anIt->second;
  *theLength = static_cast<uint32_t>(aBytes.size());
  if (!aBytes.empty()) std::memcpy(theValue, aBytes.data(), aBytes.size());
  RecordRead(true, *theType, theValue, *theLength);
  return true;
}

bool Registry::RegistryRead(const std::string& theValueName, uint32_t* theType, uint8_t* theValue,
                            uint32_t* theLength) {
  return RegistryReadKey(theValueName, theType, theValue, theLength);
}

bool Registry::RegistryReadInteger(const std::string& theValueName, int* theValue) {
  uint32_t aType = REG_DWORD;
  uint8_t aBytes[4];
  uint32_t aLength = sizeof(aBytes);
  if (!RegistryRead(theValueName, &aType, aBytes, &aLength)) return false;
  // A shorter value reads as its bytes with zeros above them.
  uint32_t aValue = 0;
  for (uint32_t i = 0; i < aLength; ++i) aValue |= static_cast<uint32_t>(aBytes[i]) << (8 * i);
  *theValue = static_cast<int>(aValue);
  return true;
}

bool Registry::RegistryReadBoolean(const std::string& theValueName, bool* theValue) {
  int anInteger = 0;
  if (!RegistryReadInteger(theValueName, &anInteger)) return false;
  *theValue = anInteger != 0;
  return true;
}

bool Registry::RegistryWrite(const std::string& theValueName, uint32_t, const uint8_t* theValue,
                             uint32_t theLength) {
  if (mRegKey == nullptr || mRegKey->empty()) return false;
  if (mDemo != nullptr && mDemo->IsPlayingDemo()) {
    if (mDemo->IsWindowClosed()) return true;
    if (!TakeDemoCommand(DEMO_REGISTRY_WRITE)) return false;
    return mDemo->GetDemoBuffer().ReadNumBits(1, false) != 0;
  }

  std::string aKeyPath, aName;
  GetKeyPath(*mRegKey, theValueName, &aKeyPath, &aName);
  CFPreferencesDictionary aDictionary;
  CFPreferencesCopyAppValue(aKeyPath, &aDictionary);
  aDictionary[aName] = std::vector<uint8_t>(theValue, theValue + theLength);
  CFPreferencesSetAppValue(aKeyPath, &aDictionary);
  // A value the store could not keep is reported, and recorded, as a failure.
  const bool aStored = CFPreferencesAppSynchronize();
  RecordWrite(aStored);
  return aStored;
}

bool Registry::RegistryWriteInteger(const std::string& theValueName, int theValue) {
  const uint32_t aValue = static_cast<uint32_t>(theValue);
  const uint8_t aBytes[4] = {static_cast<uint8_t>(aValue), static_cast<uint8_t>(aValue >> 8),
                             static_cast<uint8_t>(aValue >> 16), static_cast<uint8_t>(aValue >> 24)};
  return RegistryWrite(theValueName, REG_DWORD, aBytes, sizeof(aBytes));
}

bool Registry::RegistryWriteBoolean(const std::string& theValueName, bool theValue) {
  return RegistryWriteInteger(theValueName, theValue ? 1 : 0);
}

bool Registry::RegistryWriteString(const std::string& theValueName, const std::string& theValue) {
  return RegistryWrite(theValueName, REG_SZ, reinterpret_cast<const uint8_t*>(theValue.data()),
                       static_cast<uint32_t>(theValue.size()));
}

void Registry::RegistryEraseValue(const TeskString& theValueName) {
  if (mRegKey == nullptr || mRegKey->empty()) return;
  std::string aKeyPath, aName;
  GetKeyPath(*mRegKey, TeskStringToString(theValueName), &aKeyPath, &aName);
  CFPreferencesDictionary aDictionary;
  if (!CFPreferencesCopyAppValue(aKeyPath, &aDictionary)) return;
  aDictionary.erase(aName);
  CFPreferencesSetAppValue(aKeyPath, &aDictionary);
  CFPreferencesAppSynchronize();
}

}  // namespace Tesk
