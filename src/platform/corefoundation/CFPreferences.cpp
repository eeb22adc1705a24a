#include "platform/corefoundation/CFPreferences.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/corefoundation/PreferencesFile.h"
#include "platform/files/FileManager.h"

namespace {

struct PreferencesState {
  std::mutex mMutex;
  std::string mPath;
  bool mLoaded = false;
  bool mDirty = false;
  // The file had lines that did not read: keep a copy before replacing it.
  bool mKeepCorruptCopy = false;
  bool mInMemory = false;
  PreferencesFile::Store mStore;
};

PreferencesState& State() {
  static PreferencesState sState;
  return sState;
}

std::string DefaultPath() {
  FSRef aFolder;
  if (FSFindApplicationSupportFolder(false, &aFolder) != 0) {
    const char* aHome = std::getenv("HOME");
    aFolder.mPath = std::string(aHome != nullptr ? aHome : ".") + "/.local/share";
  }
  return aFolder.mPath + "/Tesk/Preferences.txt";
}

const std::string& PathLocked(PreferencesState& theState) {
  if (theState.mPath.empty()) theState.mPath = DefaultPath();
  return theState.mPath;
}

void LoadLocked(PreferencesState& theState) {
  if (theState.mLoaded || theState.mInMemory) return;
  std::string anError;
  if (!PreferencesFile::Read(PathLocked(theState), &theState.mStore, &anError)) {
    std::fprintf(stderr, "preferences: %s: %s\n", theState.mPath.c_str(), anError.c_str());
    theState.mKeepCorruptCopy = true;
  }
  theState.mLoaded = true;
  theState.mDirty = false;
}

}  // namespace

bool CFPreferencesCopyAppValue(const std::string& theKey, CFPreferencesDictionary* theValue) {
  PreferencesState& aState = State();
  std::lock_guard<std::mutex> aGuard(aState.mMutex);
  LoadLocked(aState);
  auto anIt = aState.mStore.find(theKey);
  if (anIt == aState.mStore.end()) return false;
  *theValue = anIt->second;
  return true;
}

void CFPreferencesSetAppValue(const std::string& theKey, const CFPreferencesDictionary* theValue) {
  PreferencesState& aState = State();
  std::lock_guard<std::mutex> aGuard(aState.mMutex);
  LoadLocked(aState);
  if (theValue == nullptr || theValue->empty())
    aState.mStore.erase(theKey);
  else
    aState.mStore[theKey] = *theValue;
  aState.mDirty = true;
}

bool CFPreferencesAppSynchronize() {
  PreferencesState& aState = State();
  std::lock_guard<std::mutex> aGuard(aState.mMutex);
  if (aState.mInMemory) return false;
  if (!aState.mDirty) {
    // Nothing of ours to write: pick up what others wrote.
    aState.mLoaded = false;
    LoadLocked(aState);
    return true;
  }
  const std::string& aPath = PathLocked(aState);
  if (aState.mKeepCorruptCopy) {
    // The refused file goes aside under a name of its own, never over one kept before; one that
    // cannot be kept is not replaced either.
    const std::string aKept = PreferencesFile::KeepRefused(aPath);
    if (!aKept.empty()) {
      std::fprintf(stderr, "preferences: %s is kept as %s\n", aPath.c_str(), aKept.c_str());
    } else if (access(aPath.c_str(), F_OK) == 0) {
      std::fprintf(stderr, "preferences: %s cannot be kept aside; it is not replaced\n", aPath.c_str());
      aState.mLoaded = false;
      aState.mDirty = false;
      aState.mStore.clear();
      return false;
    }
    aState.mKeepCorruptCopy = false;
  }
  if (!PreferencesFile::WriteAtomically(aPath, PreferencesFile::Format(aState.mStore))) {
    // What the file does not hold is not kept: the next read sees the file.
    aState.mLoaded = false;
    aState.mDirty = false;
    aState.mStore.clear();
    return false;
  }
  aState.mKeepCorruptCopy = false;
  aState.mDirty = false;
  return true;
}

std::string CFPreferencesStorePath() {
  PreferencesState& aState = State();
  std::lock_guard<std::mutex> aGuard(aState.mMutex);
  if (aState.mInMemory) return std::string();
  return PathLocked(aState);
}

void CFPreferencesSetStorePath(const std::string& thePath) {
  PreferencesState& aState = State();
  std::lock_guard<std::mutex> aGuard(aState.mMutex);
  aState.mPath = thePath;
  aState.mInMemory = false;
  aState.mLoaded = false;
  aState.mDirty = false;
  aState.mKeepCorruptCopy = false;
  aState.mStore.clear();
}

void CFPreferencesKeepInMemory() {
  PreferencesState& aState = State();
  std::lock_guard<std::mutex> aGuard(aState.mMutex);
  aState.mPath.clear();
  aState.mInMemory = true;
  aState.mLoaded = true;
  aState.mDirty = false;
  aState.mKeepCorruptCopy = false;
  aState.mStore.clear();
}
