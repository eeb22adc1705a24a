#include "game/play/Spotlight.h"

#include <algorithm>
#include <cmath>

#include "game/play/PlayConstants.h"
#include "graphics/AnimationBasic.h"
#include "graphics/Color.h"
#include "graphics/Graphics.h"

using Tesk::k_2Pi;

namespace {
constexpr int k_playLeft = 140, k_playRight = 800, k_playBottom = 600;
}  // namespace

float Spotlight::s_sinFloatVal = 0.0f;

void Spotlight::draw(Tesk::Graphics* g, int theMouseX, int theMouseY, int theDarkness,
                     ANIM::AnimationBasic* theAnim) {
  s_sinFloatVal += 0.08f;
  if (s_sinFloatVal >= k_2Pi) s_sinFloatVal -= k_2Pi;
  if (theAnim == nullptr) return;
  // The light breathes a little.
  const float s = 1.3f + 0.02f * std::sin(s_sinFloatVal);
  const int w = static_cast<int>(s * theAnim->getCellWidth());
  const int h = static_cast<int>(s * theAnim->getCellHeight());
  const int aLeft = theMouseX - w / 2;
  const int aTop = theMouseY - h / 2;
  g->SetColorizeImages(true);
  theAnim->setColor(0, 0, 0);
  theAnim->setFadeValue(static_cast<float>(theDarkness) / 255.0f);
  theAnim->setScaledSize(s);
  theAnim->draw(g, aLeft, aTop, 1.0f);

  // The rest of the play area is dark: above, beside and below the light.
  g->SetColor(Tesk::Color(0, 0, 0, theDarkness));
  auto Fill = [g](int x, int y, int theWidth, int theHeight) {
    if (theWidth > 0 && theHeight > 0) g->FillRect(x, y, theWidth, theHeight);
  };
  const int aBandTop = std::min(std::max(aTop, 0), k_playBottom);
  const int aBandBottom = std::max(std::min(aTop + h, k_playBottom), aBandTop);
  const int aLightLeft = std::min(std::max(aLeft, k_playLeft), k_playRight);
  const int aLightRight = std::max(std::min(aLeft + w, k_playRight), aLightLeft);
  Fill(k_playLeft, 0, k_playRight - k_playLeft, aBandTop);
  Fill(k_playLeft, aBandTop, aLightLeft - k_playLeft, aBandBottom - aBandTop);
  Fill(aLightRight, aBandTop, k_playRight - aLightRight, aBandBottom - aBandTop);
  Fill(k_playLeft, aBandBottom, k_playRight - k_playLeft, k_playBottom - aBandBottom);
}
