#include "sound/DSoundManager.h"

#include <sys/stat.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#include "core/Common.h"
#include "core/MacUtils.h"
#include "resources/PFile.h"
#include "sound/DSoundInstance.h"
#include "sound/MACDIRECTSOUND.h"
#include "sound/macDirectSoundBuffer.h"

namespace Tesk {

namespace {

// Seconds between 1904, where the platform's dates start, and 1970.
constexpr int64_t k_SecondsFrom1904To1970 = 2082844800;

// Decoded Ogg Vorbis larger than this (or than 512 bytes per byte of file) comes from a corrupt header.
constexpr uint64_t k_MaxDecodedBytes = 1u << 30;

// Closes the file on every way out of a reader.
class ScopedFile {
 public:
  explicit ScopedFile(PFILE* theFile) : mFile(theFile) {}
  ~ScopedFile() { Close(); }
  PFILE* Get() const { return mFile; }
  PFILE* Take() {
    PFILE* aFile = mFile;
    mFile = nullptr;
    return aFile;
  }
  void Close() {
    if (mFile != nullptr) p_fclose(mFile);
    mFile = nullptr;
  }

 private:
  PFILE* mFile;
};

bool ReadBytes(PFILE* theFile, void* theBytes, int theCount) {
  return p_fread(theBytes, 1, theCount, theFile) == theCount;
}

bool ReadU16LE(PFILE* theFile, uint16_t* theValue) {
  uint8_t aBytes[2];
  if (!ReadBytes(theFile, aBytes, 2)) return false;
  *theValue = static_cast<uint16_t>(aBytes[0] | (aBytes[1] << 8));
  return true;
}

bool ReadU32LE(PFILE* theFile, uint32_t* theValue) {
  uint8_t aBytes[4];
  if (!ReadBytes(theFile, aBytes, 4)) return false;
  *theValue = static_cast<uint32_t>(aBytes[0]) | (static_cast<uint32_t>(aBytes[1]) << 8) |
              (static_cast<uint32_t>(aBytes[2]) << 16) | (static_cast<uint32_t>(aBytes[3]) << 24);
  return true;
}

bool ReadU32BE(PFILE* theFile, uint32_t* theValue) {
  uint8_t aBytes[4];
  if (!ReadBytes(theFile, aBytes, 4)) return false;
  *theValue = (static_cast<uint32_t>(aBytes[0]) << 24) | (static_cast<uint32_t>(aBytes[1]) << 16) |
              (static_cast<uint32_t>(aBytes[2]) << 8) | static_cast<uint32_t>(aBytes[3]);
  return true;
}

int64_t FileSize(PFILE* theFile) {
  const int32_t aHere = p_ftell(theFile);
  p_fseek(theFile, 0, SEEK_END);
  const int32_t aEnd = p_ftell(theFile);
  p_fseek(theFile, aHere, SEEK_SET);
  return aEnd;
}

// A chunk id as read, or byte-reversed.
bool IsChunk(const char* theId, const char* theName) {
  if (std::memcmp(theId, theName, 4) == 0) return true;
  const char aReversed[4] = {theName[3], theName[2], theName[1], theName[0]};
  return std::memcmp(theId, aReversed, 4) == 0;
}

WAVEFORMATEX PcmFormat(uint16_t theChannels, uint32_t theRate, uint16_t theBits) {
  WAVEFORMATEX aFormat{};
  aFormat.wFormatTag = WAVE_FORMAT_PCM;
  aFormat.nChannels = theChannels;
  aFormat.nSamplesPerSec = theRate;
  aFormat.wBitsPerSample = theBits;
  // In unsigned 32 bits: a damaged header's counts overflow an int.
  aFormat.nBlockAlign = static_cast<uint16_t>(uint32_t{theBits} * theChannels / 8);
  aFormat.nAvgBytesPerSec = uint32_t{aFormat.nBlockAlign} * theRate;
  aFormat.cbSize = 0;
  return aFormat;
}

// The sun mu-law magnitude of a byte with its sign bit set.
int MuLawMagnitude(int theValue) {
  if (theValue >= 0xF0) return (0xFF - theValue) * 2;
  if (theValue >= 0xE0) return (0xEF - theValue) * 4 + 32;
  if (theValue >= 0xD0) return (0xDF - theValue) * 8 + 96;
  if (theValue >= 0xC0) return (0xCF - theValue) * 16 + 224;
  if (theValue >= 0xB0) return (0xBF - theValue) * 32 + 480;
  if (theValue >= 0xA0) return (0xAF - theValue) * 64 + 992;
  if (theValue >= 0x90) return (0x9F - theValue) * 128 + 2016;
  // 0x80 is the loudest code of its row, not a near-silent special case.
  return (0x8F - theValue) * 256 + 4064;
}

size_t OggRead(void* theBuffer, size_t theSize, size_t theCount, void* theSource) {
  if (theSize == 0 || theCount == 0) return 0;
  const size_t aCount = std::min<size_t>(theCount, INT_MAX / theSize);
  return static_cast<size_t>(p_fread(theBuffer, static_cast<int>(theSize), static_cast<int>(aCount),
                                     static_cast<PFILE*>(theSource)));
}

int OggSeek(void* theSource, ogg_int64_t theOffset, int theWhence) {
  if (theSource == nullptr) return -1;
  return p_fseek(static_cast<PFILE*>(theSource), static_cast<int32_t>(theOffset), theWhence);
}

int OggClose(void* theSource) {
  p_fclose(static_cast<PFILE*>(theSource));
  return 0;
}

long OggTell(void* theSource) { return p_ftell(static_cast<PFILE*>(theSource)); }

const ov_callbacks ov_pak_open = {&OggRead, &OggSeek, &OggClose, &OggTell};

void PutU16(std::vector<uint8_t>& theOut, uint32_t theValue) {
  theOut.push_back(static_cast<uint8_t>(theValue));
  theOut.push_back(static_cast<uint8_t>(theValue >> 8));
}

void PutU32(std::vector<uint8_t>& theOut, uint32_t theValue) {
  PutU16(theOut, theValue & 0xFFFF);
  PutU16(theOut, theValue >> 16);
}

void PutId(std::vector<uint8_t>& theOut, const char* theId) { theOut.insert(theOut.end(), theId, theId + 4); }

// Why the last reader of this thread refused a file it had opened; empty when the file was not
// there. Only LoadSound says it: the fuzzers and the cache probe call the readers directly.
thread_local std::string tRefusal;

bool Refuse(const std::string& theWhy) {
  tRefusal = theWhy;
  return false;
}

// Why the player cannot hold samples of theFormat, or empty when it can.
std::string FormatProblem(const WAVEFORMATEX& theFormat) {
  if (theFormat.wBitsPerSample != 8 && theFormat.wBitsPerSample != 16)
    return StrFormat("%u-bit samples; only 8- and 16-bit samples are played", theFormat.wBitsPerSample);
  if (theFormat.nChannels != 1 && theFormat.nChannels != 2)
    return StrFormat("%u channels; only mono and stereo are played", theFormat.nChannels);
  if (theFormat.nSamplesPerSec == 0) return "a sample rate of 0";
  return std::string();
}

}  // namespace

DSoundManager::DSoundManager(OpaqueWindowPtr* theWindow, bool theHaveMP3) : mHaveMP3(theHaveMP3) {
  std::fill(std::begin(mBaseVolumes), std::end(mBaseVolumes), 1.0);
  if (theWindow == nullptr) return;

  mDirectSound = new MACDIRECTSOUND();
  if (mDirectSound->SetCooperativeLevel(theWindow, DSSCL_PRIORITY) < 0) {
    mDirectSound->SetCooperativeLevel(theWindow, DSSCL_NORMAL);
    return;
  }
  WAVEFORMATEX aFormat = PcmFormat(2, 44100, 16);
  aFormat.cbSize = 18;
  DSBUFFERDESC aDesc{};
  aDesc.dwSize = sizeof(DSBUFFERDESC);
  aDesc.dwFlags = DSBCAPS_PRIMARYBUFFER;
  aDesc.dwBufferBytes = 0;
  aDesc.lpwfxFormat = &aFormat;
  if (mDirectSound->CreateSoundBuffer(&aDesc, &mPrimaryBuffer, nullptr) == DS_OK)
    mPrimaryBuffer->SetFormat(&aFormat);
}

DSoundManager::~DSoundManager() {
  ReleaseChannels();
  ReleaseSounds();
  if (mPrimaryBuffer != nullptr) mPrimaryBuffer->Release();
  if (mDirectSound != nullptr) mDirectSound->Release();
}

bool DSoundManager::Initialized() { return mDirectSound != nullptr; }

int DSoundManager::VolumeToDB(double theVolume) {
  theVolume = std::clamp(theVolume, 0.0, 1.0);
  return static_cast<int>(theVolume * 10000 - 10000);
}

macDirectSoundBuffer* DSoundManager::GetSourceBuffer(unsigned int theSfxId) const {
  return theSfxId < k_MaxSourceSounds ? mSourceSounds[theSfxId] : nullptr;
}

bool DSoundManager::LoadSound(unsigned int theSfxId, const std::string& theFilename) {
  if (theSfxId >= k_MaxSourceSounds) return false;
  ReleaseSound(theSfxId);
  // Without a device the id is still taken, so every loaded sound keeps an id of its own.
  mSourceFileNames[theSfxId] = theFilename;
  if (mDirectSound == nullptr) return true;

  std::string aCachePath;
  const bool aRelative =
      theFilename.size() > 2 && theFilename[0] != '\\' && theFilename[0] != '/' && theFilename[1] != ':';
  // Without a data folder there is no cache: it would land in the working folder, the
  // resources. The sound is decoded afresh at every start then.
  const std::string aDataFolder = GetAppDataFolder();
  if (aRelative && !aDataFolder.empty()) {
    aCachePath = aDataFolder + "cached/" + theFilename + ".wav";
    if (LoadWAVSound(theSfxId, aCachePath)) return true;
    MkDir(GetFileDir(aCachePath, false));
  }
  // The first source file that is there but cannot be read is the reason given.
  std::string aRefusal;
  auto NoteRefusal = [&aRefusal](const std::string& thePath) {
    if (aRefusal.empty() && !tRefusal.empty()) aRefusal = thePath + ": " + tRefusal;
  };
  if (LoadWAVSound(theSfxId, theFilename + ".wav")) return true;
  NoteRefusal(theFilename + ".wav");
  if (LoadOGGSound(theSfxId, theFilename + ".ogg")) {
    WriteWAV(theSfxId, aCachePath, theFilename + ".ogg");
    return true;
  }
  NoteRefusal(theFilename + ".ogg");
  if (LoadAUSound(theSfxId, theFilename + ".au")) {
    WriteWAV(theSfxId, aCachePath, theFilename + ".au");
    return true;
  }
  NoteRefusal(theFilename + ".au");
  mSourceFileNames[theSfxId].clear();
  ReportLoadFailure(theFilename,
                    aRefusal.empty() ? theFilename + ": not found (no .wav, .ogg or .au file)" : aRefusal);
  return false;
}

void DSoundManager::ReportLoadFailure(const std::string& theFilename, const std::string& theText) {
  // The loading thread and the main thread both load sounds.
  std::lock_guard<std::mutex> aGuard(mReportLock);
  if (!mReportedFailures.insert(theFilename).second) return;
  std::fprintf(stderr, "sound: %s\n", theText.c_str());
}

int DSoundManager::LoadSound(const std::string& theFilename) {
  for (int i = 0; i < k_MaxSourceSounds; ++i) {
    if (mSourceFileNames[i] == theFilename) return i;
  }
  for (int i = k_MaxSourceSounds - 1; i >= 0; --i) {
    if (mSourceSounds[i] == nullptr && mSourceFileNames[i].empty()) return LoadSound(i, theFilename) ? i : -1;
  }
  return -1;
}

void DSoundManager::ReleaseSound(unsigned int theSfxId) {
  if (theSfxId >= k_MaxSourceSounds) return;
  DropSourceBuffer(theSfxId);
  mSourceFileNames[theSfxId].clear();
}

void DSoundManager::DropSourceBuffer(unsigned int theSfxId) {
  if (mSourceSounds[theSfxId] == nullptr) return;
  mSourceSounds[theSfxId]->Release();
  mSourceSounds[theSfxId] = nullptr;
}

void DSoundManager::SetVolume(double theVolume) {
  mVolume = theVolume;
  for (auto& aInstance : mPlayingSounds) {
    if (aInstance) aInstance->RehupVolume();
  }
}

bool DSoundManager::SetBaseVolume(unsigned int theSfxId, double theBaseVolume) {
  if (theSfxId >= k_MaxSourceSounds) return false;
  mBaseVolumes[theSfxId] = theBaseVolume;
  return true;
}

bool DSoundManager::SetBasePan(unsigned int theSfxId, int theBasePan) {
  if (theSfxId >= k_MaxSourceSounds) return false;
  mBasePans[theSfxId] = theBasePan;
  return true;
}

SoundInstance* DSoundManager::GetSoundInstance(unsigned int theSfxId) {
  if (theSfxId >= k_MaxSourceSounds) return nullptr;
  const int aChannel = FindFreeChannel();
  if (aChannel < 0) return nullptr;
  if (mDirectSound != nullptr) {
    if (mSourceSounds[theSfxId] == nullptr) return nullptr;
    mPlayingSounds[aChannel].reset(new DSoundInstance(this, mSourceSounds[theSfxId]));
  } else {
    mPlayingSounds[aChannel].reset(new DSoundInstance(this, nullptr));
  }
  DSoundInstance* aInstance = mPlayingSounds[aChannel].get();
  aInstance->SetBasePan(mBasePans[theSfxId]);
  aInstance->SetBaseVolume(mBaseVolumes[theSfxId]);
  return aInstance;
}

void DSoundManager::ReleaseSounds() {
  for (int i = 0; i < k_MaxSourceSounds; ++i) DropSourceBuffer(i);
}

void DSoundManager::ReleaseChannels() {
  for (auto& aInstance : mPlayingSounds) aInstance.reset();
}

// Not supported: a soft stop for a developer under a debugger, otherwise nothing.
double DSoundManager::GetMasterVolume() { return 0.0; }

void DSoundManager::SetMasterVolume(double) {}

void DSoundManager::Flush() {}

void DSoundManager::SetCooperativeWindow(OpaqueWindowPtr* theWindow, bool) {
  if (mDirectSound != nullptr) mDirectSound->SetCooperativeLevel(theWindow, DSSCL_NORMAL);
}

void DSoundManager::StopAllSounds() {
  for (auto& aInstance : mPlayingSounds) {
    if (aInstance) aInstance->StopKeepingAutoRelease();
  }
}

int DSoundManager::GetFreeSoundId() {
  for (int i = 0; i < k_MaxSourceSounds; ++i) {
    if (mSourceSounds[i] == nullptr && mSourceFileNames[i].empty()) return i;
  }
  return -1;
}

int DSoundManager::GetNumSounds() {
  int aCount = 0;
  for (auto* aBuffer : mSourceSounds) aCount += aBuffer != nullptr ? 1 : 0;
  return aCount;
}

void DSoundManager::ReleaseFreeChannels() {
  for (auto& aInstance : mPlayingSounds) {
    if (aInstance && aInstance->IsReleased()) aInstance.reset();
  }
}

int DSoundManager::FindFreeChannel() {
  const uint32_t aTick = GetTickCount();
  if (aTick - mLastReleaseTick > 1000) {
    ReleaseFreeChannels();
    mLastReleaseTick = aTick;
  }
  for (int i = 0; i < k_MaxChannels; ++i) {
    if (!mPlayingSounds[i]) return i;
    if (mPlayingSounds[i]->IsReleased()) {
      mPlayingSounds[i].reset();
      return i;
    }
  }
  return -1;
}

bool DSoundManager::CreateSourceBuffer(unsigned int theSfxId, const WAVEFORMATEX& theFormat,
                                       uint32_t theBytes) {
  WAVEFORMATEX aFormat = theFormat;
  DSBUFFERDESC aDesc{};
  aDesc.dwSize = sizeof(DSBUFFERDESC);
  aDesc.dwFlags =
      DSBCAPS_STATIC | DSBCAPS_LOCSOFTWARE | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
  aDesc.dwBufferBytes = theBytes;
  aDesc.lpwfxFormat = &aFormat;
  DropSourceBuffer(theSfxId);
  const std::string aProblem = FormatProblem(theFormat);
  if (!aProblem.empty()) return Refuse(aProblem);
  const HRESULT aResult = mDirectSound->CreateSoundBuffer(&aDesc, &mSourceSounds[theSfxId], nullptr);
  if (aResult != DS_OK) {
    DropSourceBuffer(theSfxId);
    return Refuse(StrFormat("no room for its %u bytes of samples", theBytes));
  }
  return true;
}

bool DSoundManager::GetTheFileTime(const std::string& thePath, UTCDateTime* theTime) {
  *theTime = UTCDateTime{0, 0, 0};
  struct stat aStat {};
  if (::stat(thePath.c_str(), &aStat) != 0) return false;
  const uint64_t aSeconds =
      static_cast<uint64_t>(static_cast<int64_t>(aStat.st_mtim.tv_sec) + k_SecondsFrom1904To1970);
  theTime->highSeconds = static_cast<uint16_t>(aSeconds >> 32);
  theTime->lowSeconds = static_cast<uint32_t>(aSeconds);
  theTime->fraction =
      static_cast<uint16_t>(static_cast<uint64_t>(aStat.st_mtim.tv_nsec) * 65536 / 1000000000);
  return true;
}

bool DSoundManager::LoadWAVSound(unsigned int theSfxId, const std::string& theFilename) {
  tRefusal.clear();
  if (theSfxId >= k_MaxSourceSounds || mDirectSound == nullptr) return false;
  ScopedFile aFile(p_fopen(theFilename.c_str(), "rb"));
  if (aFile.Get() == nullptr) return false;
  const int64_t aFileSize = FileSize(aFile.Get());

  char aId[4];
  uint32_t aSize = 0;
  if (!ReadBytes(aFile.Get(), aId, 4) || !IsChunk(aId, "RIFF") || !ReadU32LE(aFile.Get(), &aSize) ||
      !ReadBytes(aFile.Get(), aId, 4) || !IsChunk(aId, "WAVE")) {
    return Refuse("not a WAV file (no RIFF WAVE header)");
  }

  uint16_t aChannels = 1;
  uint32_t aRate = 22050;
  uint16_t aBits = 16;
  uint8_t aKey = 0;
  for (;;) {
    if (p_feof(aFile.Get()) || !ReadBytes(aFile.Get(), aId, 4) || !ReadU32LE(aFile.Get(), &aSize))
      return Refuse("it ends before its data chunk");
    const int64_t aStart = p_ftell(aFile.Get());
    if (IsChunk(aId, "data")) break;
    // A chunk reaching past the end of the file is a truncated or corrupt file.
    if (aStart + static_cast<int64_t>(aSize) > aFileSize)
      return Refuse("a chunk runs past the end of the file");
    if (IsChunk(aId, "fmt ")) {
      uint16_t aTag = 0;
      uint16_t aAlign = 0;
      uint32_t aBytesPerSecond = 0;
      if (!ReadU16LE(aFile.Get(), &aTag) || !ReadU16LE(aFile.Get(), &aChannels) ||
          !ReadU32LE(aFile.Get(), &aRate) || !ReadU32LE(aFile.Get(), &aBytesPerSecond) ||
          !ReadU16LE(aFile.Get(), &aAlign) || !ReadU16LE(aFile.Get(), &aBits)) {
        return Refuse("its format chunk is cut short");
      }
      if (aTag != WAVE_FORMAT_PCM)
        return Refuse(StrFormat("format tag %u; only PCM samples (tag 1) are read", aTag));
    } else if (IsChunk(aId, "dep ")) {
      uint16_t aLength = 0;
      if (!ReadU16LE(aFile.Get(), &aLength)) return Refuse("its dependency chunk is cut short");
      char aName[256];
      const int aRead = p_fread(aName, 1, std::min<int>(aLength, 255), aFile.Get());
      aName[std::max(aRead, 0)] = 0;
      uint16_t aHigh = 0;
      uint32_t aLow = 0;
      uint16_t aFraction = 0;
      if (!ReadU16LE(aFile.Get(), &aHigh) || !ReadU32LE(aFile.Get(), &aLow) ||
          !ReadU16LE(aFile.Get(), &aFraction)) {
        return Refuse("its dependency chunk is cut short");
      }
      // The file was made from another one: stale once that one has changed.
      UTCDateTime aNow;
      GetTheFileTime(aName, &aNow);
      if (aNow.highSeconds != aHigh || aNow.lowSeconds != aLow)
        return Refuse(StrFormat("it was made from %s, which has changed since", aName));
    } else if (IsChunk(aId, "xor ")) {
      if (!ReadBytes(aFile.Get(), &aKey, 1)) return Refuse("its xor chunk is cut short");
    }
    if (p_fseek(aFile.Get(), static_cast<int32_t>(aStart + aSize), SEEK_SET) != 0)
      return Refuse("a chunk runs past the end of the file");
  }

  // The data size comes from the file: trust it only as far as the file goes.
  const int64_t aDataStart = p_ftell(aFile.Get());
  if (static_cast<int64_t>(aSize) > aFileSize - aDataStart)
    return Refuse(StrFormat("its data chunk claims %u bytes, more than the file holds", aSize));
  mSourceDataSizes[theSfxId] = aSize;
  if (!CreateSourceBuffer(theSfxId, PcmFormat(aChannels, aRate, aBits), aSize)) return false;

  macDirectSoundBuffer* aBuffer = mSourceSounds[theSfxId];
  void* aPtr1 = nullptr;
  void* aPtr2 = nullptr;
  uint32_t aLen1 = 0;
  uint32_t aLen2 = 0;
  aBuffer->Lock(0, aSize, &aPtr1, &aLen1, &aPtr2, &aLen2, 0);
  const int aRead = aSize > 0 ? p_fread(aPtr1, 1, static_cast<int>(aSize), aFile.Get()) : 0;
  aFile.Close();
  if (aKey != 0 && aRead > 0) {
    uint8_t* aBytes = static_cast<uint8_t*>(aPtr1);
    for (int i = 0; i < aRead; ++i) aBytes[i] ^= aKey;
  }
  const bool aOk =
      aBuffer->Unlock(aPtr1, aLen1, aPtr2, aLen2) == DS_OK && static_cast<uint32_t>(aRead) == aSize;
  if (!aOk) {
    DropSourceBuffer(theSfxId);
    return Refuse("its samples cannot be read whole");
  }
  return true;
}

bool DSoundManager::LoadOGGSound(unsigned int theSfxId, const std::string& theFilename) {
  tRefusal.clear();
  if (theSfxId >= k_MaxSourceSounds || mDirectSound == nullptr) return false;
  ScopedFile aFile(p_fopen(theFilename.c_str(), "rb"));
  if (aFile.Get() == nullptr) return false;
  const int64_t aFileSize = FileSize(aFile.Get());

  OggVorbis_File aVorbis;
  if (ov_open_callbacks(aFile.Get(), &aVorbis, nullptr, 0, ov_pak_open) < 0)
    return Refuse("not an Ogg Vorbis file (or its headers are damaged)");
  aFile.Take();  // ov_clear closes it from here on

  const vorbis_info* aInfo = ov_info(&aVorbis, -1);
  const ogg_int64_t aTotal = ov_pcm_total(&aVorbis, -1);
  if (aInfo == nullptr || aInfo->channels <= 0 || aInfo->channels > 0xFFFF || aInfo->rate <= 0 ||
      aTotal < 0) {
    ov_clear(&aVorbis);
    return Refuse("its stream header is damaged");
  }
  const WAVEFORMATEX aFormat =
      PcmFormat(static_cast<uint16_t>(aInfo->channels), static_cast<uint32_t>(aInfo->rate), 16);
  const uint64_t aBytes = static_cast<uint64_t>(aTotal) * aFormat.nBlockAlign;
  if (aBytes > k_MaxDecodedBytes || aBytes > static_cast<uint64_t>(aFileSize) * 512) {
    ov_clear(&aVorbis);
    return Refuse(StrFormat("it claims %llu bytes of samples, more than its size can hold",
                            static_cast<unsigned long long>(aBytes)));
  }
  const uint32_t aSize = static_cast<uint32_t>(aBytes);
  mSourceDataSizes[theSfxId] = aSize;
  if (!CreateSourceBuffer(theSfxId, aFormat, aSize)) {
    ov_clear(&aVorbis);
    return false;
  }
  macDirectSoundBuffer* aBuffer = mSourceSounds[theSfxId];
  void* aPtr1 = nullptr;
  void* aPtr2 = nullptr;
  uint32_t aLen1 = 0;
  uint32_t aLen2 = 0;
  aBuffer->Lock(0, aSize, &aPtr1, &aLen1, &aPtr2, &aLen2, 0);
  char* aNext = static_cast<char*>(aPtr1);
  uint32_t aLeft = aSize;
  int aHoles = 0;
  while (aLeft > 0) {
    int aStream = 0;
    const long aRead =
        ov_read(&aVorbis, aNext, static_cast<int>(std::min<uint32_t>(aLeft, INT_MAX)), 0, 2, 1, &aStream);
    // A hole (lost pages) is reported once and decoding goes on after it.
    if (aRead == OV_HOLE && ++aHoles < 1000) continue;
    if (aRead < 1) break;
    aNext += aRead;
    aLeft -= static_cast<uint32_t>(aRead);
  }
  const bool aOk = aBuffer->Unlock(aPtr1, aLen1, aPtr2, aLen2) == DS_OK && aLeft == 0;
  ov_clear(&aVorbis);
  if (!aOk) {
    DropSourceBuffer(theSfxId);
    return Refuse("its stream is damaged (decoding stopped early)");
  }
  return true;
}

bool DSoundManager::LoadAUSound(unsigned int theSfxId, const std::string& theFilename) {
  tRefusal.clear();
  if (theSfxId >= k_MaxSourceSounds || mDirectSound == nullptr) return false;
  ScopedFile aFile(p_fopen(theFilename.c_str(), "rb"));
  if (aFile.Get() == nullptr) return false;
  const int64_t aFileSize = FileSize(aFile.Get());

  char aMagic[4];
  uint32_t aOffset = 0;
  uint32_t aDataSize = 0;
  uint32_t aEncoding = 0;
  uint32_t aRate = 0;
  uint32_t aChannels = 0;
  if (!ReadBytes(aFile.Get(), aMagic, 4) || std::memcmp(aMagic, ".snd", 4) != 0)
    return Refuse("not an AU file (no .snd header)");
  if (!ReadU32BE(aFile.Get(), &aOffset) || !ReadU32BE(aFile.Get(), &aDataSize) ||
      !ReadU32BE(aFile.Get(), &aEncoding) || !ReadU32BE(aFile.Get(), &aRate) ||
      !ReadU32BE(aFile.Get(), &aChannels)) {
    return Refuse("its header is cut short");
  }
  if (aEncoding != 1 && aEncoding != 2)
    return Refuse(StrFormat("encoding %u; only 1 (8-bit mu-law) and 2 (8-bit linear) are read", aEncoding));
  if (aOffset < 24 || static_cast<int64_t>(aOffset) > aFileSize)
    return Refuse(StrFormat("its data offset %u lies outside the file", aOffset));
  if (aChannels > 0xFFFF) return Refuse(StrFormat("%u channels; only mono and stereo are played", aChannels));
  // All ones means "size unknown": the data runs to the end. Any other size must fit the file.
  const int64_t aAvailable = aFileSize - aOffset;
  if (aDataSize == 0xFFFFFFFFu) aDataSize = static_cast<uint32_t>(aAvailable);
  if (static_cast<int64_t>(aDataSize) > aAvailable ||
      p_fseek(aFile.Get(), static_cast<int32_t>(aOffset), SEEK_SET) != 0)
    return Refuse(StrFormat("its header claims %u bytes of samples, more than the file holds", aDataSize));

  const uint16_t aBits = aEncoding == 1 ? 16 : 8;
  const uint32_t aSize = aDataSize * (aBits / 8);
  mSourceDataSizes[theSfxId] = aSize;
  if (!CreateSourceBuffer(theSfxId, PcmFormat(static_cast<uint16_t>(aChannels), aRate, aBits), aSize))
    return false;
  macDirectSoundBuffer* aBuffer = mSourceSounds[theSfxId];
  void* aPtr1 = nullptr;
  void* aPtr2 = nullptr;
  uint32_t aLen1 = 0;
  uint32_t aLen2 = 0;
  aBuffer->Lock(0, aSize, &aPtr1, &aLen1, &aPtr2, &aLen2, 0);

  std::vector<uint8_t> aData(aDataSize);
  const int aRead = aDataSize > 0 ? p_fread(aData.data(), 1, static_cast<int>(aDataSize), aFile.Get()) : 0;
  aFile.Close();
  uint8_t* aOut = static_cast<uint8_t*>(aPtr1);
  for (int i = 0; i < aRead; ++i) {
    const int aByte = aData[i];
    if (aEncoding == 1) {
      const int aSign = aByte > 127 ? 1 : -1;
      const int aSample = aSign * MuLawMagnitude(aByte | 0x80) * 4;
      aOut[i * 2] = static_cast<uint8_t>(aSample & 0xFF);
      aOut[i * 2 + 1] = static_cast<uint8_t>((aSample >> 8) & 0xFF);
    } else {
      aOut[i] = static_cast<uint8_t>(aByte ^ 0x80);
    }
  }
  const bool aOk =
      aBuffer->Unlock(aPtr1, aLen1, aPtr2, aLen2) == DS_OK && static_cast<uint32_t>(aRead) == aDataSize;
  if (!aOk) {
    DropSourceBuffer(theSfxId);
    return Refuse("its samples cannot be read whole");
  }
  return true;
}

bool DSoundManager::WriteWAV(unsigned int theSfxId, const std::string& theCachePath,
                             const std::string& theSourcePath) {
  if (theCachePath.empty() || theSfxId >= k_MaxSourceSounds || mSourceSounds[theSfxId] == nullptr)
    return false;
  macDirectSoundBuffer* aBuffer = mSourceSounds[theSfxId];
  const uint32_t aSize = mSourceDataSizes[theSfxId];
  void* aPtr1 = nullptr;
  void* aPtr2 = nullptr;
  uint32_t aLen1 = 0;
  uint32_t aLen2 = 0;
  aBuffer->Lock(0, aSize, &aPtr1, &aLen1, &aPtr2, &aLen2, 0);
  FILE* aFile = std::fopen(theCachePath.c_str(), "wb");
  if (aFile == nullptr) {
    aBuffer->Unlock(aPtr1, aLen1, aPtr2, aLen2);
    return false;
  }
  uint32_t aFormatSize = 0;
  aBuffer->GetFormat(nullptr, 0, &aFormatSize);
  WAVEFORMATEX aFormat{};
  aBuffer->GetFormat(&aFormat, aFormatSize, nullptr);

  // A "dep " chunk naming the source makes the cache go stale when the source changes.
  std::vector<uint8_t> aDep;
  UTCDateTime aTime;
  if (GetTheFileTime(theSourcePath, &aTime) && theSourcePath.size() <= 255) {
    PutId(aDep, "dep ");
    PutU32(aDep, static_cast<uint32_t>(2 + theSourcePath.size() + 8));
    PutU16(aDep, static_cast<uint32_t>(theSourcePath.size()));
    aDep.insert(aDep.end(), theSourcePath.begin(), theSourcePath.end());
    PutU16(aDep, aTime.highSeconds);
    PutU32(aDep, aTime.lowSeconds);
    PutU16(aDep, aTime.fraction);
  }

  const uint16_t aAlign = static_cast<uint16_t>(aFormat.nChannels * aFormat.wBitsPerSample / 8);
  std::vector<uint8_t> aHeader;
  PutId(aHeader, "RIFF");
  PutU32(aHeader, aSize + 36 + static_cast<uint32_t>(aDep.size()));
  PutId(aHeader, "WAVE");
  PutId(aHeader, "fmt ");
  PutU32(aHeader, 16);
  PutU16(aHeader, WAVE_FORMAT_PCM);
  PutU16(aHeader, aFormat.nChannels);
  PutU32(aHeader, aFormat.nSamplesPerSec);
  PutU32(aHeader, aAlign * aFormat.nSamplesPerSec);
  PutU16(aHeader, aAlign);
  PutU16(aHeader, aFormat.wBitsPerSample);
  aHeader.insert(aHeader.end(), aDep.begin(), aDep.end());
  PutId(aHeader, "data");
  PutU32(aHeader, aSize);

  bool aWritten = std::fwrite(aHeader.data(), 1, aHeader.size(), aFile) == aHeader.size();
  if (aLen1 > 0) aWritten = aWritten && std::fwrite(aPtr1, 1, aLen1, aFile) == aLen1;
  aWritten = std::fclose(aFile) == 0 && aWritten;
  const bool aUnlocked = aBuffer->Unlock(aPtr1, aLen1, aPtr2, aLen2) == DS_OK;
  if (!aWritten) std::remove(theCachePath.c_str());
  return aUnlocked && aWritten;
}

}  // namespace Tesk
