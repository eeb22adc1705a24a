// Sounds, volumes and muting, the clipboard, opening URLs, and the preferences the framework
// keeps for itself.
#include <algorithm>
#include <vector>

#include "core/MacUtils.h"
#include "app/TeskAppBase.h"
#include "platform/carbon/CarbonScrap.h"
#include "sound/MusicInterface.h"
#include "sound/SoundInstance.h"
#include "sound/SoundManager.h"

namespace Tesk {

void TeskAppBase::PlaySample(int theSoundNum) {
  if (mSoundManager == nullptr) return;
  SoundInstance* anInstance = mSoundManager->GetSoundInstance(static_cast<unsigned int>(theSoundNum));
  if (anInstance != nullptr) anInstance->Play(false, true);
}

void TeskAppBase::PlaySample(int theSoundNum, int thePan) {
  if (mSoundManager == nullptr) return;
  SoundInstance* anInstance = mSoundManager->GetSoundInstance(static_cast<unsigned int>(theSoundNum));
  if (anInstance == nullptr) return;
  anInstance->SetPan(thePan);
  anInstance->Play(false, true);
}

double TeskAppBase::GetMusicVolume() { return mMusicVolume; }
double TeskAppBase::GetSfxVolume() { return mSfxVolume; }

void TeskAppBase::SetMusicVolume(double theVolume) {
  mMusicVolume = theVolume;
  if (mMusicInterface != nullptr) mMusicInterface->SetVolume(mMuteCount > 0 ? 0.0 : theVolume);
}

void TeskAppBase::SetSfxVolume(double theVolume) {
  mSfxVolume = theVolume;
  if (mSoundManager != nullptr) mSoundManager->SetVolume(mMuteCount > 0 ? 0.0 : theVolume);
}

double TeskAppBase::GetMasterVolume() {
  return mSoundManager != nullptr ? mSoundManager->GetMasterVolume() : 0.0;
}

void TeskAppBase::SetMasterVolume(double theVolume) {
  mSfxVolume = theVolume;
  if (mSoundManager != nullptr) mSoundManager->SetMasterVolume(theVolume);
}

bool TeskAppBase::IsMuted() { return mMuteCount > 0; }

void TeskAppBase::Mute(bool autoMute) {
  ++mMuteCount;
  if (autoMute) ++mAutoMuteCount;
  SetMusicVolume(mMusicVolume);
  SetSfxVolume(mSfxVolume);
}

void TeskAppBase::Unmute(bool autoMute) {
  if (mMuteCount > 0) {
    --mMuteCount;
    if (autoMute) --mAutoMuteCount;
  }
  SetMusicVolume(mMusicVolume);
  SetSfxVolume(mSfxVolume);
}

void TeskAppBase::CopyToClipboard(const std::string& theString) {
  if (mPlayingDemoBuffer) return;
  ClearCurrentScrap();
  ScrapRef aScrap = nullptr;
  if (GetCurrentScrap(&aScrap) != noErr) return;
  PutScrapFlavor(aScrap, kScrapFlavorTypeText, kScrapFlavorMaskNone, theString.size() + 1, theString.c_str());
}

std::string TeskAppBase::GetClipboard() {
  std::string aText;
  ScrapRef aScrap = nullptr;
  ScrapFlavorFlags aFlags = 0;
  if (!mPlayingDemoBuffer && GetCurrentScrap(&aScrap) == noErr &&
      GetScrapFlavorFlags(aScrap, kScrapFlavorTypeText, &aFlags) == noErr) {
    ByteCount aSize = 0;
    if (GetScrapFlavorSize(aScrap, kScrapFlavorTypeText, &aSize) == noErr) {
      std::vector<char> aData(aSize + 1, 0);
      if (GetScrapFlavorData(aScrap, kScrapFlavorTypeText, &aSize, aData.data()) == noErr) {
        aData[std::min<size_t>(aSize, aData.size() - 1)] = 0;
        aText = aData.data();
      }
    }
  }
  DemoSyncString(&aText);
  return aText;
}

bool TeskAppBase::OpenURL(const std::string& theURL, bool shutdownOnOpen) {
  if (mIsOpeningURL && theURL == mOpeningURL) return true;
  mShutdownOnURLOpen = shutdownOnOpen;
  mIsOpeningURL = true;
  mOpeningURL = theURL;
  mOpeningURLTime = GetTickCount();
  LaunchURL(theURL);
  return true;
}

void TeskAppBase::URLOpenFailed(const std::string&) { mIsOpeningURL = false; }

void TeskAppBase::URLOpenSucceeded(const std::string&) {
  mIsOpeningURL = false;
  if (mShutdownOnURLOpen) Shutdown();
}

// Preferences -----------------------------------------------------------------------------------

bool TeskAppBase::RegistryRead(const std::string& theValueName, uint32_t* theType, uint8_t* theValue,
                               uint32_t* theLength) {
  return mRegistry.RegistryRead(theValueName, theType, theValue, theLength);
}
bool TeskAppBase::RegistryReadInteger(const std::string& theValueName, int* theValue) {
  return mRegistry.RegistryReadInteger(theValueName, theValue);
}
bool TeskAppBase::RegistryReadBoolean(const std::string& theValueName, bool* theValue) {
  return mRegistry.RegistryReadBoolean(theValueName, theValue);
}
bool TeskAppBase::RegistryWrite(const std::string& theValueName, uint32_t theType, const uint8_t* theValue,
                                uint32_t theLength) {
  return mRegistry.RegistryWrite(theValueName, theType, theValue, theLength);
}
bool TeskAppBase::RegistryWriteInteger(const std::string& theValueName, int theValue) {
  return mRegistry.RegistryWriteInteger(theValueName, theValue);
}
bool TeskAppBase::RegistryWriteBoolean(const std::string& theValueName, bool theValue) {
  return mRegistry.RegistryWriteBoolean(theValueName, theValue);
}
bool TeskAppBase::RegistryWriteString(const std::string& theValueName, const std::string& theValue) {
  return mRegistry.RegistryWriteString(theValueName, theValue);
}
void TeskAppBase::RegistryEraseValue(const TeskString& theValueName) {
  mRegistry.RegistryEraseValue(theValueName);
}

void TeskAppBase::WriteToRegistry() {
  RegistryWriteInteger("MusicVolume", static_cast<int>(mMusicVolume * 100));
  RegistryWriteInteger("SfxVolume", static_cast<int>(mSfxVolume * 100));
  RegistryWriteInteger("Muted", mMuteCount - mAutoMuteCount >= 1 ? 1 : 0);
  RegistryWriteInteger("ScreenMode", mIsWindowed ? 0 : 1);
  RegistryWriteInteger("PreferredX", mPreferredX);
  RegistryWriteInteger("PreferredY", mPreferredY);
  RegistryWriteInteger("CustomCursors", mCustomCursorsEnabled ? 1 : 0);
  RegistryWriteInteger("InProgress", 0);
  RegistryWriteBoolean("WaitForVSync", mWaitForVSync);
}

void TeskAppBase::ReadFromRegistry() {
  mReadFromRegistry = true;
  mRegKey = TeskStringToString(GetString("RegistryKey", StringToTeskString(mRegKey)));
  if (!mRegKey.empty()) {
    int aValue = 0;
    // A damaged file must not turn into out-of-range volumes or a mute that never lifts.
    if (RegistryReadInteger("MusicVolume", &aValue)) mMusicVolume = std::clamp(aValue, 0, 100) / 100.0;
    if (RegistryReadInteger("SfxVolume", &aValue)) mSfxVolume = std::clamp(aValue, 0, 100) / 100.0;
    if (RegistryReadInteger("Muted", &aValue)) mMuteCount = std::clamp(aValue, 0, 1);
    if (RegistryReadInteger("ScreenMode", &aValue)) mIsWindowed = aValue == 0;
    if (RegistryReadInteger("PreferredX", &aValue)) mPreferredX = aValue;
    if (RegistryReadInteger("PreferredY", &aValue)) mPreferredY = aValue;
    if (RegistryReadInteger("CustomCursors", &aValue)) EnableCustomCursors(aValue != 0);
    RegistryReadBoolean("WaitForVSync", &mWaitForVSync);
    if (RegistryReadInteger("InProgress", &aValue)) mLastShutdownWasGraceful = aValue == 0;
  }
  if (!mIsScreenSaver) RegistryWriteInteger("InProgress", 1);
}

}  // namespace Tesk
