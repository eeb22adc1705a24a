#include "widgets/WidgetManager.h"

#include <climits>
#include <cstring>

#include "core/Common.h"
#include "graphics/DDImageCheck3D.h"
#include "graphics/Graphics.h"
#include "widgets/WidgetApp.h"

namespace Tesk {

WidgetManager::LockSurfaceProc WidgetManager::sLockSurface = nullptr;
WidgetManager::UnlockSurfaceProc WidgetManager::sUnlockSurface = nullptr;

namespace {
int ButtonBit(int theClickCount) {
  if (theClickCount < 0) return 2;
  if (theClickCount == 3) return 4;
  return 1;
}
}  // namespace

WidgetManager::WidgetManager(WidgetApp* theApp)
    : mDefaultTab(nullptr),
      mCurG(nullptr),
      mApp(theApp),
      mImage(nullptr),
      mPopupCommandWidget(nullptr),
      mMinDeferredOverlayPriority(INT_MAX),
      mHasFocus(true),
      mFocusWidget(nullptr),
      mLastDownWidget(nullptr),
      mOverWidget(nullptr),
      mBaseModalWidget(nullptr),
      mDefaultBelowModalFlagsMod(0, WidgetFlags_AllowMouse | WidgetFlags_AllowFocus),
      mMouseIn(false),
      mLastMouseX(0),
      mLastMouseY(0),
      mDownButtons(0),
      mActualDownButtons(0),
      mWidgetFlags(WidgetFlags_Update | WidgetFlags_Draw | WidgetFlags_Clip | WidgetFlags_AllowMouse |
                   WidgetFlags_AllowFocus),
      mSkipUnchangedFrames(false),
      mLastFrameFingerprint(0),
      mLastFrameImage(nullptr),
      mHasLastFrame(false) {
  std::memset(mKeyDown, 0, sizeof(mKeyDown));
  mWidgetManager = this;
}

WidgetManager::~WidgetManager() {
  FreeResources();
  mPreModalInfoList.clear();
  mDeferredOverlayWidgets.clear();
}

void WidgetManager::FreeResources() {}

void WidgetManager::EnterWidget(Widget* theWidget) {
  theWidget->mIsOver = true;
  theWidget->MouseEnter();
  if (theWidget->mDoFinger) theWidget->ShowFinger(true);
}

void WidgetManager::LeaveWidget(Widget* theWidget) {
  theWidget->mIsOver = false;
  theWidget->MouseLeave();
  if (theWidget->mDoFinger) theWidget->ShowFinger(false);
}

void WidgetManager::DoMouseUps(Widget* theWidget, int theDownButtons) {
  // Relative to the widget's place in the screen, so nested widgets get their own coordinates.
  TPoint<int> anAbs = theWidget->GetAbsPos();
  const int aCounts[3] = {1, -1, 3};
  for (int i = 0; i < 3; i++) {
    if (theDownButtons & (1 << i)) {
      theWidget->mIsDown = false;
      theWidget->MouseUp(mLastMouseX - anAbs.mX, mLastMouseY - anAbs.mY, aCounts[i]);
    }
  }
}

void WidgetManager::DisableWidget(Widget* theWidget) {
  if (mOverWidget == theWidget) {
    mOverWidget = nullptr;
    LeaveWidget(theWidget);
  }
  if (mLastDownWidget == theWidget) {
    mLastDownWidget = nullptr;
    int aDownButtons = mDownButtons;
    mDownButtons = 0;
    DoMouseUps(theWidget, aDownButtons);
  }
  if (mFocusWidget == theWidget) {
    mFocusWidget = nullptr;
    theWidget->LostFocus();
  }
  if (mBaseModalWidget == theWidget) mBaseModalWidget = nullptr;
}

void WidgetManager::SetFocus(Widget* theWidget) {
  if (theWidget == mFocusWidget) return;
  if (mFocusWidget != nullptr) mFocusWidget->LostFocus();
  if (theWidget != nullptr && theWidget->mWidgetManager == this) {
    mFocusWidget = theWidget;
    if (mHasFocus) mFocusWidget->GotFocus();
  } else {
    mFocusWidget = nullptr;
  }
}

Widget* WidgetManager::GetAnyWidgetAt(int x, int y, int* theWidgetX, int* theWidgetY) {
  bool aFound = false;
  return GetWidgetAtHelper(x, y, GetWidgetFlags(), &aFound, theWidgetX, theWidgetY);
}

Widget* WidgetManager::GetWidgetAt(int x, int y, int* theWidgetX, int* theWidgetY) {
  Widget* aWidget = GetAnyWidgetAt(x, y, theWidgetX, theWidgetY);
  if (aWidget != nullptr && aWidget->mDisabled) return nullptr;
  return aWidget;
}

int WidgetManager::GetWidgetFlags() {
  return mHasFocus ? mWidgetFlags : GetModFlags(mWidgetFlags, mLostFocusFlagsMod);
}

void WidgetManager::InitModalFlags(ModalFlags* theModalFlags) {
  theModalFlags->mIsOver = mBaseModalWidget == nullptr;
  theModalFlags->mOverFlags = GetWidgetFlags();
  theModalFlags->mUnderFlags = GetModFlags(theModalFlags->mOverFlags, mBelowModalFlagsMod);
}

void WidgetManager::SetBaseModal(Widget* theWidget, const FlagsMod& theBelowFlagsMod) {
  mBaseModalWidget = theWidget;
  mBelowModalFlagsMod = theBelowFlagsMod;
  if (theBelowFlagsMod.mRemoveFlags & WidgetFlags_AllowMouse) {
    if (mOverWidget != nullptr && IsBelow(mOverWidget, theWidget)) {
      Widget* aWidget = mOverWidget;
      mOverWidget = nullptr;
      LeaveWidget(aWidget);
    }
    if (mLastDownWidget != nullptr && IsBelow(mLastDownWidget, theWidget)) {
      Widget* aWidget = mLastDownWidget;
      int aDownButtons = mDownButtons;
      mDownButtons = 0;
      mLastDownWidget = nullptr;
      DoMouseUps(aWidget, aDownButtons);
    }
  }
  if ((theBelowFlagsMod.mRemoveFlags & WidgetFlags_AllowFocus) && mFocusWidget != nullptr &&
      IsBelow(mFocusWidget, theWidget)) {
    Widget* aWidget = mFocusWidget;
    mFocusWidget = nullptr;
    aWidget->LostFocus();
  }
}

void WidgetManager::AddBaseModal(Widget* theWidget, const FlagsMod& theBelowFlagsMod) {
  PreModalInfo anInfo;
  anInfo.mBaseModalWidget = theWidget;
  anInfo.mPrevBaseModalWidget = mBaseModalWidget;
  anInfo.mPrevFocusWidget = mFocusWidget;
  anInfo.mPrevBelowModalFlagsMod = mBelowModalFlagsMod;
  mPreModalInfoList.push_back(anInfo);
  SetBaseModal(theWidget, theBelowFlagsMod);
}

void WidgetManager::AddBaseModal(Widget* theWidget) { AddBaseModal(theWidget, mDefaultBelowModalFlagsMod); }

void WidgetManager::RemoveBaseModal(Widget* theWidget) {
  TESK_ASSERT(mPreModalInfoList.size() > 0);
  if (mPreModalInfoList.back().mBaseModalWidget != theWidget) return;
  while (!mPreModalInfoList.empty()) {
    PreModalInfo anInfo = mPreModalInfoList.back();
    SetBaseModal(anInfo.mPrevBaseModalWidget, anInfo.mPrevBelowModalFlagsMod);
    if (mFocusWidget == nullptr) {
      mFocusWidget = anInfo.mPrevFocusWidget;
      if (mFocusWidget != nullptr) mFocusWidget->GotFocus();
    }
    mPreModalInfoList.pop_back();
    if (anInfo.mPrevBaseModalWidget != nullptr) break;
  }
}

void WidgetManager::RemovePopupCommandWidget() {
  if (mPopupCommandWidget == nullptr) return;
  Widget* aWidget = mPopupCommandWidget;
  mPopupCommandWidget = nullptr;
  RemoveWidget(aWidget);
}

void WidgetManager::Resize(const TRect<int>& theMouseDestRect, const TRect<int>& theMouseSourceRect) {
  mWidth = theMouseDestRect.mWidth + 2 * theMouseDestRect.mX;
  mHeight = theMouseDestRect.mHeight + 2 * theMouseDestRect.mY;
  mMouseDestRect = theMouseDestRect;
  mMouseSourceRect = theMouseSourceRect;
}

void WidgetManager::RemapMouse(int& theX, int& theY) {
  // Before the first Resize there is no mapping to make.
  if (mMouseSourceRect.mWidth == 0 || mMouseSourceRect.mHeight == 0) return;
  theX = (theX - mMouseSourceRect.mX) * mMouseDestRect.mWidth / mMouseSourceRect.mWidth + mMouseDestRect.mX;
  theY = (theY - mMouseSourceRect.mY) * mMouseDestRect.mHeight / mMouseSourceRect.mHeight + mMouseDestRect.mY;
}

void WidgetManager::RehupMouse() {
  if (mLastDownWidget == nullptr) {
    if (mMouseIn) MousePosition(mLastMouseX, mLastMouseY);
  } else if (mOverWidget != nullptr) {
    if (GetWidgetAt(mLastMouseX, mLastMouseY, nullptr, nullptr) != mLastDownWidget) {
      Widget* aWidget = mOverWidget;
      mOverWidget = nullptr;
      LeaveWidget(aWidget);
    }
  }
}

void WidgetManager::MousePosition(int x, int y) {
  int anOldX = mLastMouseX;
  int anOldY = mLastMouseY;
  mLastMouseX = x;
  mLastMouseY = y;
  int aWidgetX = 0;
  int aWidgetY = 0;
  Widget* aWidget = GetWidgetAt(x, y, &aWidgetX, &aWidgetY);
  if (aWidget == mOverWidget) {
    if (anOldX == x && anOldY == y) return;
    if (aWidget != nullptr) aWidget->MouseMove(aWidgetX, aWidgetY);
    return;
  }
  if (mOverWidget != nullptr) {
    Widget* anOld = mOverWidget;
    mOverWidget = nullptr;
    LeaveWidget(anOld);
  }
  mOverWidget = aWidget;
  if (aWidget != nullptr) {
    EnterWidget(aWidget);
    aWidget->MouseMove(aWidgetX, aWidgetY);
  }
}

bool WidgetManager::MouseMove(int x, int y) {
  if (mDownButtons != 0) return MouseDrag(x, y);
  mMouseIn = true;
  MousePosition(x, y);
  return true;
}

bool WidgetManager::MouseDrag(int x, int y) {
  mMouseIn = true;
  mLastMouseX = x;
  mLastMouseY = y;
  if (mOverWidget != nullptr && mOverWidget != mLastDownWidget) {
    Widget* anOld = mOverWidget;
    mOverWidget = nullptr;
    LeaveWidget(anOld);
  }
  if (mLastDownWidget == nullptr) return true;
  TPoint<int> anAbs = mLastDownWidget->GetAbsPos();
  mLastDownWidget->MouseDrag(x - anAbs.mX, y - anAbs.mY);
  // The drag may have released the capture.
  if (mLastDownWidget == nullptr) return true;
  if (GetWidgetAt(x, y, nullptr, nullptr) == mLastDownWidget) {
    if (mOverWidget == nullptr) {
      mOverWidget = mLastDownWidget;
      EnterWidget(mOverWidget);
    }
  } else if (mOverWidget != nullptr) {
    Widget* anOld = mOverWidget;
    mOverWidget = nullptr;
    LeaveWidget(anOld);
  }
  return true;
}

bool WidgetManager::MouseDown(int x, int y, int theClickCount) {
  int aBit = ButtonBit(theClickCount);
  mActualDownButtons |= aBit;
  MousePosition(x, y);
  if (mPopupCommandWidget != nullptr && !mPopupCommandWidget->Contains(x, y)) RemovePopupCommandWidget();
  int aWidgetX = 0;
  int aWidgetY = 0;
  Widget* aWidget = GetWidgetAt(x, y, &aWidgetX, &aWidgetY);
  if (mLastDownWidget != nullptr) {
    if (aWidget != mLastDownWidget) {
      TPoint<int> anAbs = mLastDownWidget->GetAbsPos();
      aWidgetX = x - anAbs.mX;
      aWidgetY = y - anAbs.mY;
    }
    aWidget = mLastDownWidget;
  }
  mDownButtons |= aBit;
  mLastDownWidget = aWidget;
  if (aWidget != nullptr) {
    if (aWidget->WantsFocus()) SetFocus(aWidget);
    aWidget->mIsDown = true;
    aWidget->MouseDown(aWidgetX, aWidgetY, theClickCount);
  }
  return true;
}

bool WidgetManager::MouseUp(int x, int y, int theClickCount) {
  int aBit = ButtonBit(theClickCount);
  mActualDownButtons &= ~aBit;
  if (mLastDownWidget != nullptr && (mDownButtons & aBit) != 0) {
    Widget* aWidget = mLastDownWidget;
    mDownButtons &= ~aBit;
    if (mDownButtons == 0) mLastDownWidget = nullptr;
    aWidget->mIsDown = false;
    TPoint<int> anAbs = aWidget->GetAbsPos();
    aWidget->MouseUp(x - anAbs.mX, y - anAbs.mY, theClickCount);
  } else {
    mDownButtons &= ~aBit;
  }
  MousePosition(x, y);
  return true;
}

bool WidgetManager::MouseExit(int, int) {
  mMouseIn = false;
  if (mOverWidget != nullptr) {
    LeaveWidget(mOverWidget);
    mOverWidget = nullptr;
  }
  return true;
}

void WidgetManager::MouseWheel(int theDelta) {
  if (mFocusWidget != nullptr) mFocusWidget->MouseWheel(theDelta);
}

void WidgetManager::DoMouseUps() {
  if (mLastDownWidget != nullptr && mDownButtons != 0) {
    Widget* aWidget = mLastDownWidget;
    int aDownButtons = mDownButtons;
    mDownButtons = 0;
    mLastDownWidget = nullptr;
    DoMouseUps(aWidget, aDownButtons);
  }
  mDownButtons = 0;
  mLastDownWidget = nullptr;
}

bool WidgetManager::IsLeftButtonDown() { return (mActualDownButtons & 1) != 0; }

bool WidgetManager::KeyChar(wchar_t theChar) {
  if (theChar == KEYCODE_TAB && mKeyDown[KEYCODE_CONTROL]) {
    if (mDefaultTab != nullptr) mDefaultTab->KeyChar(theChar);
    return true;
  }
  if (mFocusWidget != nullptr) mFocusWidget->KeyChar(theChar);
  return true;
}

bool WidgetManager::KeyDown(KeyCode theKey) {
  if (theKey >= 0 && theKey < 255) mKeyDown[theKey] = true;
  if (mFocusWidget != nullptr) mFocusWidget->KeyDown(theKey);
  return true;
}

bool WidgetManager::KeyUp(KeyCode theKey) {
  if (theKey >= 0 && theKey < 255) mKeyDown[theKey] = false;
  if (theKey == KEYCODE_TAB && mKeyDown[KEYCODE_CONTROL]) return true;
  if (mFocusWidget != nullptr) mFocusWidget->KeyUp(theKey);
  return true;
}

void WidgetManager::GotFocus() {
  if (mHasFocus) return;
  mHasFocus = true;
  if (mFocusWidget != nullptr) mFocusWidget->GotFocus();
}

void WidgetManager::LostFocus() {
  if (!mHasFocus) return;
  mActualDownButtons = 0;
  for (int aKey = 0; aKey < 255; aKey++)
    if (mKeyDown[aKey]) KeyUp(static_cast<KeyCode>(aKey));
  mHasFocus = false;
  if (mFocusWidget != nullptr) mFocusWidget->LostFocus();
}

bool WidgetManager::UpdateFrame() {
  ModalFlags aFlags;
  InitModalFlags(&aFlags);
  mUpdateCnt++;
  mLastManagerUpdateCnt = mUpdateCnt;
  UpdateAll(&aFlags);
  return mDirty;
}

bool WidgetManager::UpdateFrameF(float theFrac) {
  ModalFlags aFlags;
  InitModalFlags(&aFlags);
  UpdateFAll(&aFlags, theFrac);
  return mDirty;
}

void WidgetManager::MarkAllDirty() {
  mHasLastFrame = false;
  WidgetContainer::MarkAllDirty();
}

bool WidgetManager::DrawScreen() {
  // Nothing to draw into before the application has handed over the screen.
  if (mImage == nullptr) return false;
  ModalFlags aFlags;
  InitModalFlags(&aFlags);
  bool aDrewStuff = false;
  int aDirtyCount = 0;
  for (Widget* aWidget : mWidgets)
    if (aWidget->mDirty) aDirtyCount++;
  mDeferredOverlayWidgets.clear();
  mMinDeferredOverlayPriority = INT_MAX;

  const bool isRecorded = mSkipUnchangedFrames && aDirtyCount > 0;
  if (isRecorded) mRecorder.Begin(mImage->mWidth, mImage->mHeight);
  Graphics aScreenG(isRecorded ? static_cast<Image*>(&mRecorder) : mImage);
  // The frame is drawn as the screen would draw it, whatever takes the operations.
  aScreenG.mIs3D = DDImageCheck3D(mImage);
  mCurG = &aScreenG;
  bool aLocked = sLockSurface != nullptr && sLockSurface(mImage);
  if (aDirtyCount > 0) {
    Graphics g(aScreenG);
    g.Translate(-mMouseDestRect.mX, -mMouseDestRect.mY);
    bool is3D = mApp != nullptr && mApp->Is3DAccelerated();
    for (Widget* aWidget : mWidgets) {
      if (aWidget == mBaseModalWidget) aFlags.mIsOver = true;
      if (aWidget->mDirty && aWidget->mVisible) {
        Graphics aChildG(g);
        aChildG.SetFastStretch(!is3D);
        aChildG.SetLinearBlend(is3D);
        aChildG.Translate(aWidget->mX, aWidget->mY);
        aWidget->DrawAll(&aFlags, &aChildG);
        aDrewStuff = true;
        aWidget->mDirty = false;
      }
    }
  }
  FlushDeferredOverlayWidgets(INT_MAX);
  if (isRecorded && (aDrewStuff || mRecorder.GetOpCount() > 0)) {
    const uint64_t aFingerprint = mRecorder.GetFingerprint();
    if (mHasLastFrame && mLastFrameImage == mImage && aFingerprint == mLastFrameFingerprint) {
      // The screen shows this very frame already.
      aDrewStuff = false;
    } else {
      mRecorder.Replay(mImage);
      mLastFrameFingerprint = aFingerprint;
      mLastFrameImage = mImage;
      mHasLastFrame = true;
      aDrewStuff = true;
    }
  } else if (aDrewStuff) {
    mHasLastFrame = false;
  }
  if (aLocked && sUnlockSurface != nullptr) sUnlockSurface(mImage);
  mCurG = nullptr;
  return aDrewStuff;
}

void WidgetManager::FlushDeferredOverlayWidgets(int theMaxPriority) {
  for (;;) {
    int aNextMin = INT_MAX;
    for (size_t i = 0; i < mDeferredOverlayWidgets.size(); i++) {
      Widget* aWidget = mDeferredOverlayWidgets[i].first;
      if (aWidget == nullptr) continue;
      int aPriority = mDeferredOverlayWidgets[i].second;
      if (aPriority == mMinDeferredOverlayPriority) {
        if (mCurG != nullptr) {
          Graphics g(*mCurG);
          g.Translate(-mMouseDestRect.mX, -mMouseDestRect.mY);
          g.Translate(aWidget->mX, aWidget->mY);
          g.SetFastStretch(!g.Is3D());
          g.SetLinearBlend(g.Is3D());
          aWidget->DrawOverlay(&g, aPriority);
        }
        mDeferredOverlayWidgets[i].first = nullptr;
      } else if (aPriority < aNextMin) {
        aNextMin = aPriority;
      }
    }
    mMinDeferredOverlayPriority = aNextMin;
    if (aNextMin == INT_MAX) {
      mDeferredOverlayWidgets.clear();
      return;
    }
    if (aNextMin >= theMaxPriority) return;
  }
}

}  // namespace Tesk
