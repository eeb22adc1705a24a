#include "game/shell/PreScreens.h"

#include "app/MacWindowProc.h"
#include "display/DDImage.h"
#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/ZqMusic.h"
#include "graphics/Color.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "resources/PFile.h"

namespace Tesk {

namespace {

const int k_numSlots = 5;
const int k_holdTime = 300;
// With the rating screen present every logo stays a second longer.
const int k_holdTimeRated = 400;
const char* const k_ratingFile = "esrb.jpg";
// Slots 1-3; the company logo of slot 0 is a resource.
const char* const k_logoFiles[3] = {"pellmark.jpg", "wzklogo.jpg", "tqnlogo.jpg"};

}  // namespace

PreScreens::PreScreens(GameApp* theApp)
    : m_holdTime(k_holdTime),
      m_app(theApp),
      m_images(),
      m_finished(false),
      m_countdown(0),
      m_currentSlot(0) {}

PreScreens::~PreScreens() { releaseLogoFiles(); }

void PreScreens::releaseLogoFiles() {
  for (int i = 1; i < k_numSlots; ++i) {
    delete m_images[i];
    m_images[i] = nullptr;
  }
}

void PreScreens::AddedToManager(WidgetManager* theManager) {
  Widget::AddedToManager(theManager);
  m_currentSlot = 0;
  m_countdown = static_cast<int16_t>(m_holdTime);
  releaseLogoFiles();
  m_images[0] = nullptr;

  // The rating screen only lengthens the logos: opening its file tells it is there.
  if (PFILE* aRating = p_fopen(k_ratingFile, "rb")) {
    p_fclose(aRating);
    m_holdTime = k_holdTimeRated;
    m_countdown = static_cast<int16_t>(m_holdTime);
  }
  m_images[0] = IMAGE_DEZADUDE_LOGO;
  for (int i = 0; i < 3; ++i) m_images[1 + i] = m_app->GetImage(k_logoFiles[i], true);

  GameApp::setFade(0);
  ShowCursor(false);
}

void PreScreens::RemovedFromManager(WidgetManager* theManager) {
  Widget::RemovedFromManager(theManager);
  ProfileData* aProfile = m_app->getProfileData();
  setWandCursor(m_app, aProfile != nullptr ? aProfile->getWandUsing() : 0);
  m_app->EnableCustomCursors(GameApp::s_isUsingCustomCursor);
  ShowCursor(true);
  releaseLogoFiles();
}

void PreScreens::Update() {
  Widget::Update();
  GameApp::updateFade();
  // One accumulator while the logos run and one for the last fade, each a redraw every
  // second update.
  static float sRunningRedraw = 0.0f;
  static float sFinishingRedraw = 0.0f;
  float& aRedraw = m_finished ? sFinishingRedraw : sRunningRedraw;
  aRedraw += 0.6f;
  if (aRedraw >= 1.0f) {
    aRedraw = 0.0f;
    MarkDirty();
  }

  const int aColor = GameApp::getFadeColor();
  if (m_finished) {
    // The application takes this screen out; it is deleted later, with the framework's
    // deferred deletions.
    if (aColor == 0) m_app->PreScreensFinished();
  } else if (aColor < 255 && !GameApp::isInFade() && aColor == 0) {
    do {
      ++m_currentSlot;
    } while (m_currentSlot < k_numSlots && m_images[m_currentSlot] == nullptr);
    if (m_currentSlot >= k_numSlots) {
      m_finished = true;
      GameApp::setFade(1);
    } else {
      GameApp::setFade(0);
    }
  } else if (aColor == 255) {
    if (--m_countdown <= 0) {
      if (m_currentSlot + 1 < k_numSlots) {
        m_countdown = static_cast<int16_t>(m_holdTime);
      } else {
        m_finished = true;
      }
      GameApp::setFade(1);
    }
  }
  zqMusic.update();
}

void PreScreens::Draw(Graphics* g) {
  g->SetColor(Color(0, 0, 0));
  g->FillRect(0, 0, mWidth, mHeight);
  if (m_currentSlot < 0 || m_currentSlot >= k_numSlots) return;
  Image* anImage = m_images[m_currentSlot];
  if (anImage == nullptr) return;
  const int c = GameApp::getFadeColor();
  g->SetColorizeImages(true);
  g->SetColor(Color(c, c, c));
  g->DrawImage(anImage, mWidth / 2 - anImage->GetWidth() / 2, mHeight / 2 - anImage->GetHeight() / 2);
  g->SetColorizeImages(false);
}

void PreScreens::MouseDown(int, int, int) {}

}  // namespace Tesk
