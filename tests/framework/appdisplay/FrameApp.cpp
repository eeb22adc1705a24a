#include "FrameApp.h"

#include <SDL.h>

#include <algorithm>

#include "ChildProgram.h"
#include "display/DDInterface.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace {

constexpr int k_Escape = 27;

std::string Rect4(int x, int y, int w, int h) {
  return std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " + std::to_string(h);
}

}  // namespace

const uint32_t FrameApp::k_CursorColor = 0xFF00FF;

FrameApp::FrameApp(const std::string& theStatusFile, bool isWindowed)
    : mCursor(this),
      mStatusFile(theStatusFile),
      mIsShownNoted(false),
      mIsCursorNoted(false),
      mDrawsAtSetUp(0) {
  mCompanyName = "Tesk";
  mProductName = "FullScreenFrame";
  mRegKey = "TeskFullScreenFrame";
  mTitle = L"Full Screen Frame";
  mWidth = MarkedFrameWidget::k_Width;
  mHeight = MarkedFrameWidget::k_Height;
  mIsWindowed = isWindowed;
  mFrame.mNote = [this](const std::string& theLine) { Note(theLine); };
  mFrame.mOnKey = [this](KeyCode theKey) { OnKey(theKey); };
}

FrameApp::~FrameApp() {
  if (mWidgetManager != nullptr) mWidgetManager->RemoveWidget(&mFrame);
}

void FrameApp::Init() {
  TeskAppBase::Init();
  if (mShutdown) return;
  mFrame.Resize(0, 0, mWidth, mHeight);
  mWidgetManager->AddWidget(&mFrame);
  mWidgetManager->SetFocus(&mFrame);
  mCursor.Create(k_CursorSize, k_CursorSize);
  std::fill(mCursor.GetBits(), mCursor.GetBits() + k_CursorSize * k_CursorSize, 0xFF000000u | k_CursorColor);
  mCursor.BitsChanged();
  SetCursorImage(0, &mCursor);
  EnableCustomCursors(true);
  mDebugKeysEnabled = true;  // F11 takes screenshots
}

void FrameApp::Note(const std::string& theLine) { ChildProgram::Note(mStatusFile, theLine); }

std::string FrameApp::ShownLine() {
  const TRect<int>& r = mDDInterface->mPresentationRect;
  std::string aLine = std::string("shown ") + (Is3DAccelerated() ? "3d" : "2d") +
                      (mIsPhysWindowed ? " window " : " full ") + Rect4(r.mX, r.mY, r.mWidth, r.mHeight);
  const SDL_Rect* aConfined = SDL_GetWindowMouseRect(CarbonSDLWindow(mWindow));
  aLine += aConfined != nullptr ? " confined " + Rect4(aConfined->x, aConfined->y, aConfined->w, aConfined->h)
                                : std::string(" confined none");
  ::Rect aContent{0, 0, 0, 0};
  GetWindowBounds(mWindow, kWindowContentRgn, &aContent);
  return aLine + " window " +
         Rect4(aContent.left, aContent.top, aContent.right - aContent.left, aContent.bottom - aContent.top);
}

void FrameApp::UpdateFrames() {
  TeskAppBase::UpdateFrames();
  // Once a frame of the new set-up has been presented.
  if (!mIsShownNoted && mDDInterface != nullptr && mDrawCount > mDrawsAtSetUp) {
    Note(ShownLine());
    mIsShownNoted = true;
  }
}

void FrameApp::Redraw(TRect<int>* theClipRect) {
  const int32_t aPresents = mFPSFlipCount;
  TeskAppBase::Redraw(theClipRect);
  // "cursor X Y": the frame pixel where the first present that drew the cursor drew it.
  if (!mIsCursorNoted && mFPSFlipCount != aPresents && mDDInterface != nullptr &&
      mDDInterface->mCursorImage != nullptr) {
    Note("cursor " + std::to_string(mDDInterface->mCursorDrawnX) + " " +
         std::to_string(mDDInterface->mCursorDrawnY));
    mIsCursorNoted = true;
  }
}

void FrameApp::OnKey(KeyCode theKey) {
  switch (static_cast<int>(theKey)) {
    case 'S':
      Set3DAcclerated(false);
      break;
    case 'A':
      Set3DAcclerated(true);
      break;
    case 'W':
      SwitchScreenMode(true);
      break;
    case 'F':
      SwitchScreenMode(false);
      break;
    case k_Escape:
      Shutdown();
      return;
    default:
      return;
  }
  mFrame.MarkDirty();
  mIsShownNoted = false;
  mDrawsAtSetUp = mDrawCount;
}

}  // namespace Tesk
