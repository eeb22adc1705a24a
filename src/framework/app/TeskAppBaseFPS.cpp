// The frame-rate overlay: a small display image redrawn with the frame rate once a second (or
// with the pointer position every frame) and laid over the screen image before a present.
#include <memory>

#include "core/Common.h"
#include "app/DemoTimeLeft.h"
#include "core/PerfTimer.h"
#include "app/TeskAppBase.h"
#include "app/TeskAppBaseShared.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"

namespace Tesk {

namespace {

DDImage* gFPSImage = nullptr;
int gFrameCount = 0;
int gFPSDisplay = 0;
bool gForceDisplay = true;
PerfTimer gFPSTimer;

// "Tahoma" 8, made once for the application; null while no platform font can be made.
Font* OverlayFont() {
  static std::unique_ptr<Font> sFont;
  static bool sTried = false;
  if (!sTried && gTeskAppBase != nullptr) {
    sTried = true;
    sFont.reset(gTeskAppBase->CreateSysFont("Tahoma", 8));
  }
  return sFont.get();
}

DDImage* FPSImage() {
  if (gFPSImage != nullptr || gTeskAppBase == nullptr) return gFPSImage;
  Font* aFont = OverlayFont();
  gFPSImage = new DDImage(gTeskAppBase->mDDInterface);
  gFPSImage->Create(50, (aFont != nullptr ? aFont->GetHeight() : 10) + 4);
  gFPSImage->SetImageMode(false, false);
  gFPSImage->SetVolatile(true);
  gFPSImage->mWantSurface = true;
  gFPSImage->PurgeBits();
  return gFPSImage;
}

void DrawOverlayText(const std::string& theText) {
  DDImage* anImage = FPSImage();
  if (anImage == nullptr) return;
  Graphics g(anImage);
  g.SetColor(Color(0, 0, 0));
  g.FillRect(0, 0, anImage->mWidth, anImage->mHeight);
  Font* aFont = OverlayFont();
  if (aFont != nullptr) {
    g.SetFont(aFont);
    g.SetColor(Color(255, 255, 255));
    g.DrawString(StringToTeskString(theText), 2, aFont->GetAscent());
  }
  anImage->mBitsChangedCount++;
}

}  // namespace

void CalculateFPS() {
  ++gFrameCount;
  if (!gFPSTimer.mRunning && !gForceDisplay) gFPSTimer.Start();
  if (gFPSTimer.GetDuration() >= 1000.0 || gForceDisplay) {
    gFPSTimer.Stop();
    double anElapsed = gFPSTimer.GetDuration();
    gFPSDisplay =
        gForceDisplay || anElapsed <= 0.0 ? 0 : static_cast<int>(0.5 + gFrameCount * 1000.0 / anElapsed);
    gForceDisplay = false;
    gFPSTimer.Start();
    gFrameCount = 0;
    DrawOverlayText(StrFormat("FPS: %d", gFPSDisplay));
  }
}

void FPSDrawCoords(int x, int y) { DrawOverlayText(StrFormat("%d,%d", x, y)); }

void DrawFPSOverlay(TeskAppBase* theApp) {
  if (gFPSImage == nullptr || theApp->mDDInterface == nullptr ||
      theApp->mDDInterface->GetScreenImage() == nullptr)
    return;
  Graphics g(theApp->mDDInterface->GetScreenImage());
  g.DrawImage(gFPSImage, theApp->mWidth - gFPSImage->mWidth - 10, theApp->mHeight - gFPSImage->mHeight - 10);
  // The time left in a playing demo sits just above the frame rate.
  if (theApp->mPlayingDemoBuffer && gDemoTimeLeftImage != nullptr) {
    g.DrawImage(gDemoTimeLeftImage, theApp->mWidth - gDemoTimeLeftImage->mWidth - 10,
                theApp->mHeight - gFPSImage->mHeight - gDemoTimeLeftImage->mHeight - 15);
  }
}

void DeleteFPSImage() {
  delete gFPSImage;
  gFPSImage = nullptr;
  DeleteDemoTimeLeftImage();
}

}  // namespace Tesk
