#include "BoxApp.h"

#include <cstdlib>

#include "core/MacUtils.h"
#include "graphics/Graphics.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

const TRect<int> BoxApp::k_BoxRect(300, 200, 200, 200);

void BoxApp::Backdrop::Draw(Graphics* g) {
  g->SetColor(Color(16, 16, 24));
  g->FillRect(0, 0, mWidth, mHeight);
}

BoxApp::BoxApp() : mRunMillis(0), mStartTick(0) {
  mCompanyName = "Tesk";
  mProductName = "GloamHollow";
  mRegKey = "TeskStarter";
  mTitle = L"Gloam Hollow";
  mWidth = 800;
  mHeight = 600;
  const char* aSeconds = std::getenv("TESK_RUN_SECONDS");
  if (aSeconds != nullptr) mRunMillis = static_cast<uint32_t>(std::atof(aSeconds) * 1000.0);
}

BoxApp::~BoxApp() {
  if (mWidgetManager != nullptr) {
    mWidgetManager->RemoveWidget(&mBox);
    mWidgetManager->RemoveWidget(&mBackdrop);
  }
}

void BoxApp::Init() {
  TeskAppBase::Init();
  if (mShutdown) return;
  mBackdrop.Resize(0, 0, mWidth, mHeight);
  mBox.Resize(k_BoxRect);
  mWidgetManager->AddWidget(&mBackdrop);
  mWidgetManager->AddWidget(&mBox);
  mWidgetManager->SetFocus(&mBox);
}

void BoxApp::UpdateFrames() {
  TeskAppBase::UpdateFrames();
  // The run is timed from its first update, however long start-up took.
  if (mUpdateCount == 1) mStartTick = GetTickCount();
  if (mRunMillis != 0 && GetTickCount() - mStartTick >= mRunMillis) Shutdown();
}

}  // namespace Tesk
