// Demo recording and playback of the application object: the command stream,
// its replay by update count, and the .dmo file around it.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/CFileFind.h"
#include "app/DemoCommands.h"
#include "app/DemoTimeLeft.h"
#include "core/MTRand.h"
#include "core/MacUtils.h"
#include "core/Registry.h"
#include "app/TeskAppBase.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "graphics/Graphics.h"
#include "graphics/SysFont.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace {

// Longest text a 16-bit string length carries; longer synchronised texts are cut
// here so that the recording and its replay see the same text.
const size_t k_MaxSyncStringLength = 32767;

int32_t BitsLeft(const Buffer& theBuffer) { return theBuffer.mDataBitSize - theBuffer.mReadBitPos; }

// Replay stops for good: later commands are never due and every required one fails.
// theHasLeft: the run has left the recording (not the end of the file), which is reported.
void StopReplay(TeskAppBase* theApp, bool theHasLeft) {
  Buffer& aBuffer = theApp->mDemoBuffer;
  if (theHasLeft && !theApp->mDemoReplayLeft) {
    theApp->mDemoReplayLeft = true;
    std::fprintf(stderr,
                 "demo: the replay left the recording at update %d (command %d, number %d, due at update %d); "
                 "it stops here\n",
                 theApp->mUpdateCount, theApp->mDemoCommandCount, theApp->mDemoCmdNum, theApp->mLastDemoUpdateCnt);
  }
  aBuffer.mReadBitPos = aBuffer.mDataBitSize;
  theApp->mDemoNeedsCommand = true;
}

// Little-endian reads from the bytes of a demo file.
class DemoFileReader {
 public:
  explicit DemoFileReader(const std::vector<uint8_t>& theBytes) : mBytes(theBytes) {}

  size_t Left() const { return mBytes.size() - mPos; }
  bool ReadLong(uint32_t* theValue) {
    if (Left() < 4) return false;
    *theValue = 0;
    for (int i = 0; i < 4; ++i) *theValue |= static_cast<uint32_t>(mBytes[mPos++]) << (8 * i);
    return true;
  }
  bool ReadShort(uint32_t* theValue) {
    if (Left() < 2) return false;
    *theValue = static_cast<uint32_t>(mBytes[mPos] | (mBytes[mPos + 1] << 8));
    mPos += 2;
    return true;
  }
  // Up to theCount bytes, fewer at the end of the file.
  std::string ReadText(size_t theCount) {
    if (theCount > Left()) theCount = Left();
    std::string aText(reinterpret_cast<const char*>(mBytes.data() + mPos), theCount);
    mPos += theCount;
    return aText;
  }
  const uint8_t* Here() const { return mBytes.data() + mPos; }
  void Skip(size_t theCount) { mPos += theCount; }

 private:
  const std::vector<uint8_t>& mBytes;
  size_t mPos = 0;
};

bool ReadWholeFile(FILE* theFile, std::vector<uint8_t>* theBytes) {
  uint8_t aChunk[4096];
  size_t aRead;
  while ((aRead = std::fread(aChunk, 1, sizeof(aChunk), theFile)) > 0) {
    theBytes->insert(theBytes->end(), aChunk, aChunk + aRead);
  }
  return std::ferror(theFile) == 0;
}

// sscanf pattern for theText followed by "%d.dmo": a '%' in the text stands for itself.
std::string NumberPattern(const std::string& theText) {
  std::string aPattern;
  for (char aChar : theText) {
    aPattern += aChar;
    if (aChar == '%') aPattern += '%';
  }
  return aPattern + "%d.dmo";
}

}  // namespace

bool TeskAppBase::IsRecordingDemo() const { return mRecordingDemoBuffer; }
bool TeskAppBase::IsPlayingDemo() const { return mPlayingDemoBuffer; }
bool TeskAppBase::IsWindowClosed() const { return mWindowClosed; }
Buffer& TeskAppBase::GetDemoBuffer() { return mDemoBuffer; }
bool TeskAppBase::IsDemoShortCommand() const { return mDemoIsShortCmd; }
int TeskAppBase::GetDemoCommandNumber() const { return mDemoCmdNum; }
void TeskAppBase::SetDemoNeedsCommand() { mDemoNeedsCommand = true; }

void TeskAppBase::WriteDemoTimingBlock() {
  TESK_ASSERT(GetCurrentThreadId() == mPrimaryThreadId);
  while (mUpdateCount - mLastDemoUpdateCnt > k_DemoMaxTimingTicks) {
    mDemoBuffer.WriteNumBits(k_DemoMaxTimingTicks, 4);
    mLastDemoUpdateCnt += k_DemoMaxTimingTicks;
    mDemoBuffer.WriteNumBits(0, 1);
    mDemoBuffer.WriteNumBits(DEMO_IDLE, 5);
    ++mDemoCommandCount;
  }
  mDemoBuffer.WriteNumBits(mUpdateCount - mLastDemoUpdateCnt, 4);
  mLastDemoUpdateCnt = mUpdateCount;
  ++mDemoCommandCount;
}

bool TeskAppBase::PrepareDemoCommand(bool theRequired) {
  if (mDemoNeedsCommand) {
    // The last byte's padding never holds a whole header, so a short read is the end.
    if (BitsLeft(mDemoBuffer) < 5) {
      StopReplay(this, false);
      return false;
    }
    const int aTicks = mDemoBuffer.ReadNumBits(4, false);
    const bool isShort = mDemoBuffer.ReadNumBits(1, false) != 0;
    const int aNumBits = isShort ? 1 : 5;
    if (BitsLeft(mDemoBuffer) < aNumBits) {
      StopReplay(this, true);
      return false;
    }
    mLastDemoUpdateCnt += aTicks;
    mDemoIsShortCmd = isShort;
    mDemoCmdNum = mDemoBuffer.ReadNumBits(aNumBits, false);
    mDemoNeedsCommand = false;
    ++mDemoCommandCount;
  }
  const bool isDue = mUpdateCount == mLastDemoUpdateCnt;
  // A command that was due before now can never be replayed: the run has left the recording.
  if ((theRequired && !isDue) || mUpdateCount > mLastDemoUpdateCnt) {
    StopReplay(this, true);
    return false;
  }
  return isDue;
}

void TeskAppBase::ProcessDemo() {
  if (!mPlayingDemoBuffer) return;
  Buffer& aBuffer = mDemoBuffer;
  WidgetManager* aWidgets = mWidgetManager;
  while (!mShutdown && PrepareDemoCommand(false)) {
    mDemoNeedsCommand = true;
    // Fields cut off by the end of the file end the replay before anything acts on them.
    auto aHas = [&](int theBits) { return BitsLeft(aBuffer) >= theBits; };
    bool isKnown = true;
    if (mDemoIsShortCmd) {
      if (mDemoCmdNum == DEMO_MOUSE_SHORTMOVE && aHas(12)) {
        mLastDemoMouseX += aBuffer.ReadNumBits(6, true);
        mLastDemoMouseY += aBuffer.ReadNumBits(6, true);
        if (aWidgets != nullptr) aWidgets->MouseMove(mLastDemoMouseX, mLastDemoMouseY);
      } else if (mDemoCmdNum == DEMO_MOUSE_BUTTON && aHas(4)) {
        const bool isDown = aBuffer.ReadNumBits(1, false) != 0;
        const int aButton = aBuffer.ReadNumBits(3, true);
        if (aWidgets != nullptr) {
          if (isDown) {
            aWidgets->MouseDown(mLastDemoMouseX, mLastDemoMouseY, aButton);
          } else {
            aWidgets->MouseUp(mLastDemoMouseX, mLastDemoMouseY, aButton);
          }
        }
      } else {
        isKnown = false;
      }
    } else {
      switch (mDemoCmdNum) {
        case DEMO_MOUSE_POSITION:
          if (!(isKnown = aHas(24))) break;
          mLastDemoMouseX = aBuffer.ReadNumBits(12, false);
          mLastDemoMouseY = aBuffer.ReadNumBits(12, false);
          if (aWidgets != nullptr) aWidgets->MouseMove(mLastDemoMouseX, mLastDemoMouseY);
          break;
        case DEMO_ACTIVATE_APP:
          if (!(isKnown = aHas(1))) break;
          mActive = aBuffer.ReadNumBits(1, false) != 0;
          RehupFocus();
          if (mActive && !mIsPhysWindowed && aWidgets != nullptr) aWidgets->MarkAllDirty();
          if (!mActive && mIsOpeningURL) URLOpenSucceeded(mOpeningURL);
          break;
        case DEMO_SIZE: {
          if (!(isKnown = aHas(8))) break;
          const bool isMinimized = aBuffer.ReadBoolean();
          if (!mShutdown && isMinimized != mMinimized) {
            mMinimized = isMinimized;
            if (isMinimized) {
              Mute(true);
            } else {
              Unmute(true);
              if (aWidgets != nullptr) aWidgets->MarkAllDirty();
            }
          }
          RehupFocus();
          break;
        }
        case DEMO_KEY_DOWN:
        case DEMO_KEY_UP: {
          if (!(isKnown = aHas(8))) break;
          const int aKey = aBuffer.ReadNumBits(8, false);
          if (aWidgets == nullptr) break;
          if (mDemoCmdNum == DEMO_KEY_DOWN) {
            aWidgets->KeyDown(static_cast<KeyCode>(aKey));
          } else {
            aWidgets->KeyUp(static_cast<KeyCode>(aKey));
          }
          break;
        }
        case DEMO_KEY_CHAR: {
          if (!(isKnown = aHas(1))) break;
          const int aBits = aBuffer.ReadNumBits(1, false) != 0 ? 16 : 8;
          if (!(isKnown = aHas(aBits))) break;
          const wchar_t aChar = static_cast<wchar_t>(aBuffer.ReadNumBits(aBits, false));
          if (aWidgets != nullptr) aWidgets->KeyChar(aChar);
          break;
        }
        case DEMO_CLOSE:
          Shutdown();
          break;
        case DEMO_MOUSE_ENTER:
          mMouseIn = true;
          EnforceCursor();
          break;
        case DEMO_MOUSE_EXIT:
          if (aWidgets != nullptr) aWidgets->MouseExit(mLastDemoMouseX, mLastDemoMouseY);
          mMouseIn = false;
          EnforceCursor();
          break;
        case DEMO_LOADING_COMPLETE:
          mDemoLoadingComplete = true;
          break;
        case DEMO_MOUSE_WHEEL:
          if (!(isKnown = aHas(8))) break;
          if (aWidgets != nullptr)
            aWidgets->MouseWheel(aBuffer.ReadNumBits(8, true));
          else
            aBuffer.ReadNumBits(8, true);
          break;
        case DEMO_VIDEO_DATA:
          if (!(isKnown = aHas(16))) break;
          mIsWindowed = aBuffer.ReadBoolean();
          mSyncRefreshRate = aBuffer.ReadByte();
          break;
        case DEMO_IDLE:
          break;
        default:
          // Preference and sync commands are taken where they were made; meeting one here,
          // or a number nothing makes, means the replay has left the recording.
          isKnown = false;
          break;
      }
    }
    if (!isKnown) {
      StopReplay(this, true);
      break;
    }
  }
}

void TeskAppBase::DemoSyncBuffer(Buffer* theBuffer) {
  if (mRecordingDemoBuffer) {
    WriteDemoTimingBlock();
    mDemoBuffer.WriteNumBits(0, 1);
    mDemoBuffer.WriteNumBits(DEMO_SYNC, 5);
    mDemoBuffer.WriteLong(theBuffer->GetDataLen());
    mDemoBuffer.WriteBytes(theBuffer->GetDataPtr(), theBuffer->GetDataLen());
  } else if (mPlayingDemoBuffer && !mWindowClosed) {
    if (!PrepareDemoCommand(true)) return;
    if (mDemoIsShortCmd || mDemoCmdNum != DEMO_SYNC || BitsLeft(mDemoBuffer) < 32) {
      StopReplay(this, true);
      return;
    }
    mDemoNeedsCommand = true;
    const uint32_t aLength = static_cast<uint32_t>(mDemoBuffer.ReadLong());
    if (aLength > static_cast<uint32_t>(BitsLeft(mDemoBuffer) / 8)) {
      StopReplay(this, true);
      return;
    }
    theBuffer->Clear();
    for (uint32_t i = 0; i < aLength; ++i) theBuffer->WriteByte(mDemoBuffer.ReadByte());
  }
}

void TeskAppBase::DemoSyncString(std::string* theString) {
  if (theString->size() > k_MaxSyncStringLength) theString->resize(k_MaxSyncStringLength);
  Buffer aBuffer;
  aBuffer.WriteString(*theString);
  DemoSyncBuffer(&aBuffer);
  aBuffer.SeekFront();
  *theString = aBuffer.ReadString();
}

void TeskAppBase::DemoSyncRefreshRate() {
  if (mDDInterface != nullptr) mSyncRefreshRate = mDDInterface->mRefreshRate;
  if (mPlayingDemoBuffer) {
    // Taken here, where it was recorded: what start-up reads after the window (preferences)
    // comes after it in the demo.
    if (PrepareDemoCommand(false) && !mDemoIsShortCmd && mDemoCmdNum == DEMO_VIDEO_DATA &&
        BitsLeft(mDemoBuffer) >= 16) {
      mDemoNeedsCommand = true;
      mIsWindowed = mDemoBuffer.ReadBoolean();
      mSyncRefreshRate = mDemoBuffer.ReadByte();
    }
    return;
  }
  if (!mRecordingDemoBuffer) return;
  WriteDemoTimingBlock();
  mDemoBuffer.WriteNumBits(0, 1);
  mDemoBuffer.WriteNumBits(DEMO_VIDEO_DATA, 5);
  mDemoBuffer.WriteBoolean(mIsWindowed);
  mDemoBuffer.WriteByte(static_cast<uint8_t>(mSyncRefreshRate));
}

void TeskAppBase::DemoShutdown() {
  if (mRecordingDemoBuffer) {
    // A closed window recorded its close already. Any other end (a quit request, a signal, the
    // program's own way out) is recorded as one, so that its replay ends here too.
    if (mWindowClosed) return;
    WriteDemoTimingBlock();
    mDemoBuffer.WriteNumBits(0, 1);
    mDemoBuffer.WriteNumBits(DEMO_CLOSE, 5);
  } else if (mPlayingDemoBuffer && !mDemoReplayLeft) {
    // The replay ends by itself where the recording did (the player's way out replayed): the
    // close recorded there is taken, not left for what the shutdown reads after it.
    if (PrepareDemoCommand(false) && !mDemoIsShortCmd && mDemoCmdNum == DEMO_CLOSE) mDemoNeedsCommand = true;
  }
}

void TeskAppBase::WriteDemoBuffer() {
  if (!mRecordingDemoBuffer) return;
  Buffer aFile;
  aFile.WriteLong(static_cast<int32_t>(DEMO_FILE_ID));
  aFile.WriteLong(DEMO_VERSION);
  aFile.WriteLong(static_cast<int32_t>(mRandSeed));
  aFile.WriteShort(static_cast<int16_t>(static_cast<uint16_t>(mProductVersion.size())));
  aFile.WriteBytes(reinterpret_cast<const uint8_t*>(mProductVersion.data()),
                   static_cast<int>(mProductVersion.size()));
  Buffer aMarkers;
  aMarkers.WriteLong(static_cast<int32_t>(mDemoMarkerList.size()));
  for (const auto& aMarker : mDemoMarkerList) {
    aMarkers.WriteString(aMarker.first);
    aMarkers.WriteLong(aMarker.second);
  }
  aFile.WriteLong(aMarkers.GetDataLen());
  aFile.WriteBytes(aMarkers.GetDataPtr(), aMarkers.GetDataLen());
  aFile.WriteLong(mUpdateCount);
  aFile.WriteBytes(mDemoBuffer.GetDataPtr(), mDemoBuffer.GetDataLen());

  // A relative name means there is no data folder to put it in: nothing is written elsewhere.
  if (mDemoFileName.empty() || mDemoFileName[0] != '/') {
    std::fprintf(stderr, "demo: no per-user data folder; the demo %s is not saved\n", mDemoFileName.c_str());
    return;
  }
  // Written beside the old file and moved over it, so a failed write keeps the last demo.
  const std::string aTempName = mDemoFileName + ".tmp";
  FILE* aStream = std::fopen(aTempName.c_str(), "w+b");
  bool isSaved = false;
  if (aStream != nullptr) {
    const size_t aLength = static_cast<size_t>(aFile.GetDataLen());
    const bool isWritten = std::fwrite(aFile.GetDataPtr(), 1, aLength, aStream) == aLength;
    const bool isClosed = std::fclose(aStream) == 0;
    isSaved = isWritten && isClosed && std::rename(aTempName.c_str(), mDemoFileName.c_str()) == 0;
    if (!isSaved) std::remove(aTempName.c_str());
  }
  if (isSaved) {
    std::fprintf(stderr, "demo: recorded %s: %d updates, %d commands\n", mDemoFileName.c_str(), mUpdateCount,
                 mDemoCommandCount);
  } else {
    std::fprintf(stderr, "demo: could not write %s\n", mDemoFileName.c_str());
  }
}

bool TeskAppBase::ReadDemoBuffer(std::string& theError) {
  // As for writing: a relative name has no data folder to be in, and the working folder (the
  // resources) holds no demos.
  if (mDemoFileName.empty() || mDemoFileName[0] != '/') {
    theError = "Demo file not found: " + mDemoFileName + " (there is no per-user data folder)";
    return false;
  }
  FILE* aStream = std::fopen(mDemoFileName.c_str(), "rb");
  if (aStream == nullptr) {
    theError = "Demo file not found: " + mDemoFileName;
    return false;
  }
  std::vector<uint8_t> aBytes;
  const bool isRead = ReadWholeFile(aStream, &aBytes);
  std::fclose(aStream);
  const std::string k_Invalid = "Invalid demo file.";
  DemoFileReader aReader(aBytes);

  uint32_t anId = 0, aVersion = 0, aSeed = 0;
  if (!isRead || !aReader.ReadLong(&anId) || anId != DEMO_FILE_ID || !aReader.ReadLong(&aVersion) ||
      !aReader.ReadLong(&aSeed)) {
    theError = k_Invalid;
    return false;
  }
  mRandSeed = aSeed;
  SRand(mRandSeed);

  uint32_t aVersionLength = 0;
  if (!aReader.ReadShort(&aVersionLength)) aVersionLength = 4;
  if (aVersionLength > 255) aVersionLength = 255;
  const std::string aProductVersion = aReader.ReadText(aVersionLength);
  if (aProductVersion != mProductVersion) {
    theError = "This demo file appears to be for '" + aProductVersion + "'";
    return false;
  }

  mDemoMarkerList.clear();
  if (aVersion > 1) {
    uint32_t aBlockLength = 0;
    if (!aReader.ReadLong(&aBlockLength) || aBlockLength >= aReader.Left()) {
      theError = k_Invalid;
      return false;
    }
    Buffer aBlock;
    aBlock.WriteBytes(aReader.Here(), static_cast<int>(aBlockLength));
    aReader.Skip(aBlockLength);
    auto aBytesLeft = [&aBlock]() { return static_cast<uint32_t>(BitsLeft(aBlock) / 8); };
    const uint32_t aCount = aBytesLeft() >= 4 ? static_cast<uint32_t>(aBlock.ReadLong()) : 0;
    uint32_t aRead = 0;
    while (aRead < aCount && aBytesLeft() >= 2) {
      const int aNameLength = aBlock.ReadShort();
      if (aNameLength < 0 || aBytesLeft() < static_cast<uint32_t>(aNameLength) + 4) break;
      std::string aName(static_cast<size_t>(aNameLength), '\0');
      aBlock.ReadBytes(reinterpret_cast<uint8_t*>(&aName[0]), aNameLength);
      mDemoMarkerList.emplace_back(aName, aBlock.ReadLong());
      ++aRead;
    }
    if (aRead < aCount) {
      theError = k_Invalid;
      return false;
    }
  }

  uint32_t aDemoLength = 0;
  if (!aReader.ReadLong(&aDemoLength) || aReader.Left() < 1) {
    theError = k_Invalid;
    return false;
  }
  mDemoLength = static_cast<int32_t>(aDemoLength);
  mDemoBuffer.Clear();
  mDemoBuffer.WriteBytes(aReader.Here(), static_cast<int>(aReader.Left()));
  mDemoBuffer.SeekFront();
  mDemoNeedsCommand = true;
  mLastDemoUpdateCnt = 0;
  mDemoCommandCount = 0;
  mDemoReplayLeft = false;
  return true;
}

void TeskAppBase::ReportDemoPlayed() {
  if (!mPlayingDemoBuffer) return;
  const bool isWhole = !mDemoReplayLeft && BitsLeft(mDemoBuffer) < 8;
  std::fprintf(stderr, "demo: played %s: %d of %d updates, %d commands%s\n", mDemoFileName.c_str(), mUpdateCount,
               mDemoLength, mDemoCommandCount, isWhole ? "" : ", not to its end");
}

int TeskAppBase::GetMaxDemoFileNum(const std::string& theDemoPrefix, int theMaxToKeep, bool doDeleteOldest) {
  // The search answers bare names, so the number is read after the prefix's own name part.
  const std::string aPattern = NumberPattern(GetFileName(theDemoPrefix));
  std::vector<int> aNumbers;
  WIN32_FIND_DATA aData;
  HANDLE aFind = FindFirstFile((theDemoPrefix + "*.dmo").c_str(), &aData);
  if (aFind != nullptr) {
    do {
      int aNumber = 0;
      if (std::sscanf(aData.cFileName, aPattern.c_str(), &aNumber) == 1) aNumbers.push_back(aNumber);
    } while (FindNextFile(aFind, &aData));
    FindClose(aFind);
  }
  if (aNumbers.empty()) return 0;
  int aSmallest = aNumbers.front();
  int aLargest = aNumbers.front();
  for (int aNumber : aNumbers) {
    if (aNumber < aSmallest) aSmallest = aNumber;
    if (aNumber > aLargest) aLargest = aNumber;
  }
  if (static_cast<int>(aNumbers.size()) >= theMaxToKeep && doDeleteOldest) {
    std::remove((theDemoPrefix + StrFormat("%d.dmo", aSmallest)).c_str());
  }
  return aLargest;
}

void TeskAppBase::ToggleDemoSoundVolume() {
  if (GetMusicVolume() != 0.0) {
    mDemoMusicVolume = GetMusicVolume();
    SetMusicVolume(0.0);
  } else {
    SetMusicVolume(mDemoMusicVolume);
  }
  if (GetSfxVolume() != 0.0) {
    mDemoSfxVolume = GetSfxVolume();
    SetSfxVolume(0.0);
  } else {
    SetSfxVolume(mDemoSfxVolume);
  }
}

// The time-left overlay: its image lives while the program does, like the frame-rate image.
DDImage* gDemoTimeLeftImage = nullptr;

namespace {
SysFont* sDemoTimeLeftFont = nullptr;
bool sDemoTimeLeftDrawn = false;
uint32_t sDemoTimeLeftTick = 0;
}  // namespace

void DeleteDemoTimeLeftImage() {
  delete gDemoTimeLeftImage;
  gDemoTimeLeftImage = nullptr;
  delete sDemoTimeLeftFont;
  sDemoTimeLeftFont = nullptr;
  sDemoTimeLeftDrawn = false;
}

void TeskAppBase::CalculateDemoTimeLeft() {
  if (mDDInterface == nullptr) return;
  if (sDemoTimeLeftFont == nullptr) sDemoTimeLeftFont = new SysFont(this, "Tahoma", 8, 0);
  if (gDemoTimeLeftImage == nullptr) {
    gDemoTimeLeftImage = new DDImage(mDDInterface);
    gDemoTimeLeftImage->Create(50, sDemoTimeLeftFont->GetHeight() + 4);
    gDemoTimeLeftImage->SetImageMode(false, false);
    gDemoTimeLeftImage->SetVolatile(true);
    gDemoTimeLeftImage->mPurgeBits = true;
    gDemoTimeLeftImage->PurgeBits();
  }
  const uint32_t aNow = GetTickCount();
  if (sDemoTimeLeftDrawn && aNow - sDemoTimeLeftTick < 1000.0 / mUpdateMultiplier) return;
  sDemoTimeLeftDrawn = true;
  sDemoTimeLeftTick = aNow;
  // Past the recorded end the clock stays at zero.
  int aSeconds = (mDemoLength - mUpdateCount) * mFrameTime / 1000;
  if (aSeconds < 0) aSeconds = 0;
  Graphics g(gDemoTimeLeftImage);
  g.SetColor(Color(0, 0, 0));
  g.FillRect(0, 0, gDemoTimeLeftImage->mWidth, gDemoTimeLeftImage->mHeight);
  g.SetFont(sDemoTimeLeftFont);
  g.SetColor(Color(255, 255, 255));
  g.DrawString(StrFormat(L"%02d:%02d:%02d", aSeconds / 3600, (aSeconds / 60) % 60, aSeconds % 60), 2,
               sDemoTimeLeftFont->GetAscent());
  // Drawn in software, the picture is only on the image's surface, which marking the bits
  // changed would throw away; only pixels drawn in memory need telling.
  if (gDemoTimeLeftImage->mSurface == nullptr) gDemoTimeLeftImage->BitsChanged();
}

}  // namespace Tesk
