// Screenshots, the application's part of a crash report, and the developer keys.
#include <cstdio>
#include <vector>

#include "core/AutoCrit.h"
#include "core/MacUtils.h"
#include "app/Screenshots.h"
#include "app/TeskAppBase.h"
#include "core/TeskPerf.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "resources/ImageLib.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace {

enum : int {
  k_KeyShift = 16,
  k_KeyControl = 17,
  k_KeyAlt = 18,
  k_KeyR = 82,
  k_KeyF3 = 0x72,
  k_KeyF4 = 0x73,
  k_KeyF8 = 0x77,
  k_KeyF11 = 0x7A,
  // What the key translation gives for Option and for keys without a Win32 code.
  k_KeyUntranslated = 0,
};

// Writes the pixels as the next numbered PNG of the screenshot folder.
void WriteScreenshot(uint32_t* theBits, int theWidth, int theHeight) {
  const std::string aDir = GetScreenshotFolder();
  if (aDir.empty()) return;
  ImageLib::Image aPicture;
  aPicture.mWidth = theWidth;
  aPicture.mHeight = theHeight;
  aPicture.mBits = theBits;
  ImageLib::WritePNGImage(aDir + "image" + StrFormat("%d.png", NextScreenshotNumber(aDir)), &aPicture);
  // The pixels stay the caller's.
  aPicture.mBits = nullptr;
}

// The slow speed of the update-speed key.
const double k_SlowUpdateMultiplier = 0.25;

}  // namespace

std::string TeskAppBase::GetGameSEHInfo() {
  const uint32_t aSeconds = (GetTickCount() - mTimeLoaded) / 1000;
  std::string anInfo = "Product: " + mProductName + "\r\n";
  anInfo += "Version: " + mProductVersion + "\r\n";
  anInfo +=
      "Time Loaded: " + StrFormat("%02d:%02d:%02d", aSeconds / 3600, (aSeconds / 60) % 60, aSeconds % 60);
  anInfo += std::string("\r\nFullscreen: ") + (mIsWindowed ? "No" : "Yes");
  anInfo += "\r\nPrimary ThreadId: " + StrFormat("%X", mPrimaryThreadId) + "\r\n";
  return anInfo;
}

bool TeskAppBase::DebugKeyDown(int theKey) {
  auto isHeld = [this](int theHeldKey) {
    return mWidgetManager != nullptr && mWidgetManager->mKeyDown[theHeldKey];
  };
  const bool isShift = isHeld(k_KeyShift);
  switch (theKey) {
    case k_KeyR:
      return false;
    case k_KeyF8:
      if (isShift) {
        Set3DAcclerated(!Is3DAccelerated(), true);
        MsgBox(StrFormat("3D-Mode: %s", Is3DAccelerated() ? "ON" : "OFF"), "Mode Switch", 0);
        // The time spent in the box is not owed to the updates.
        mLastTimeCheck = timeGetTime();
      } else {
        ShowMemoryUsage();
      }
      return true;
    case k_KeyF11:
      if (isShift) {
        DumpProgramInfo();
      } else {
        TakeScreenshot();
      }
      return true;
    case k_KeyUntranslated:
      if (isShift) {
        mShowFPS = true;
        mShowFPSMode = (mShowFPSMode + 1) % 2;
      } else {
        mShowFPS = !mShowFPS;
      }
      if (mWidgetManager != nullptr) mWidgetManager->MarkAllDirty();
      if (mShowFPS) {
        mFPSStartTick = GetTickCount();
        mFPSFlipCount = 0;
        mFPSDirtyCount = 0;
        mFPSTime = 0;
        mFPSCount = 0;
      }
      return false;
    case k_KeyF3:
      if (isHeld(k_KeyControl)) {
        mUpdateMultiplier = mUpdateMultiplier == 1.0 ? k_SlowUpdateMultiplier : 1.0;
      } else if (isShift) {
        mStepMode = 0;
        ClearUpdateBacklog(false);
      } else {
        mStepMode = 1;
      }
      return true;
    case k_KeyF4:
      if (!TeskPerf::IsPerfOn()) {
        ClearUpdateBacklog(false);
        TeskPerf::BeginPerf(false);
      } else {
        TeskPerf::EndPerf();
        MsgBox(TeskPerf::GetResults(), "Perf Results", 0);
        ClearUpdateBacklog(false);
      }
      return false;
    default:
      return false;
  }
}

void TeskAppBase::TakeScreenshot() {
  if (mDDInterface == nullptr || mDDInterface->mDrawSurface == nullptr) return;
  // A screenshot is the user's file: never written beside the resources.
  if (GetScreenshotFolder().empty()) {
    std::fprintf(stderr, "screenshot: no per-user data folder; the screenshot is not taken\n");
    return;
  }
  if (mDDInterface->mIs3D) {
    mDDInterface->CaptureNextFrame();
    mScreenshotPending = true;
    if (mWidgetManager != nullptr) mWidgetManager->MarkAllDirty();
    return;
  }

  // The draw surface is lent to a temporary image to read its pixels, under the display lock
  // so that nothing draws into it or takes it away meanwhile.
  DDImage anImage(mDDInterface);
  uint32_t* aBits = nullptr;
  {
    AutoCrit aLock(GetDisplayLock());
    DIRECTDRAWSURFACE3* aSurface = mDDInterface->mDrawSurface;
    mDDInterface->mDrawSurface = nullptr;
    anImage.SetSurface(aSurface);
    aBits = anImage.GetBits();
    anImage.DeleteDDSurface();
    mDDInterface->mDrawSurface = aSurface;
  }
  if (aBits == nullptr) return;
  WriteScreenshot(aBits, anImage.mWidth, anImage.mHeight);
  ClearUpdateBacklog(false);
}

void TeskAppBase::WritePendingScreenshot() {
  std::vector<uint32_t> aBits;
  int aWidth = 0, aHeight = 0;
  if (mDDInterface == nullptr || !mDDInterface->TakeCapturedFrame(&aBits, &aWidth, &aHeight)) return;
  mScreenshotPending = false;
  WriteScreenshot(aBits.data(), aWidth, aHeight);
  ClearUpdateBacklog(false);
}

}  // namespace Tesk
