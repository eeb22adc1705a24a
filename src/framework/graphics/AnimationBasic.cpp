#include "graphics/AnimationBasic.h"

#include "core/Common.h"
#include "graphics/Color.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/TRect.h"

namespace ANIM {

const float AnimationBasic::s_fadeSpeed = 1.0f / 260.0f;

AnimationBasic::AnimationBasic()
    : m_image(nullptr),
      m_alpha(1.0f),
      m_fadeSpeed(s_fadeSpeed),
      m_state(Inactive),
      m_frameDelay(0),
      m_frameCounter(0),
      m_frame(0),
      m_packed(0),
      m_cellWidth(0),
      m_cellHeight(0),
      m_x(0),
      m_y(0),
      m_drawWidth(0),
      m_drawHeight(0),
      m_red(255),
      m_green(255),
      m_blue(255) {}

void AnimationBasic::setAnim(int theId, Tesk::Image* theImage, int theFrameCount, int theFrameDelay,
                             int theState) {
  m_image = theImage;
  m_state = static_cast<uint8_t>(theState);
  m_frameDelay = static_cast<uint8_t>(theFrameDelay);
  m_frameCounter = 0;
  m_frame = 0;
  setField(0, 0xFF, static_cast<uint32_t>(theFrameCount));
  setStep(1);
  m_alpha = (theState == FadePlayFade || theState == FadeOutLoop) ? 0.0f : 1.0f;
  m_fadeSpeed = s_fadeSpeed;
  setMirrored(0);
  setWrap(1);
  setField(11, 31, static_cast<uint32_t>(theId));
}

void AnimationBasic::setAnim(Tesk::Image* theImage, int theFrameCount, int theFrameDelay, int theState) {
  setAnim(0, theImage, theFrameCount, theFrameDelay, theState);
}

void AnimationBasic::changeState(int theState) {
  if (m_state == Inactive) return;
  m_state = static_cast<uint8_t>(theState);
  if (theState == FadeOutLoop) {
    m_frame = 0;
    m_alpha = 1.0f;
  }
}

void AnimationBasic::advance() {
  m_frameCounter = static_cast<uint8_t>(m_frameCounter + 1);
  if (m_frameCounter >= m_frameDelay) {
    m_frameCounter = 0;
    m_frame = static_cast<int8_t>(m_frame + getStep());
  }
}

int AnimationBasic::update() {
  const int aCount = getFrameCount();
  switch (m_state) {
    case Play:
      advance();
      if (m_frame >= aCount) {
        if (getWrap())
          m_frame = 0;
        else
          m_state = Inactive;
      } else if (m_frame < 0) {
        if (getWrap())
          m_frame = static_cast<int8_t>(aCount > 0 ? aCount - 1 : 0);
        else
          m_state = Inactive;
      }
      break;
    case PingPong:
      // With fewer than two frames there is nothing to swing between: bouncing would
      // step to frame -1 (outside the sheet) or take a modulo by zero.
      if (aCount < 2) {
        m_frame = 0;
        break;
      }
      advance();
      if (m_frame >= aCount) {
        m_frame = static_cast<int8_t>(aCount - 2);
        setStep(-1);
      } else if (m_frame < 0) {
        m_frame = static_cast<int8_t>(1 % aCount);
        setStep(1);
      }
      break;
    case FadePlayFade:
      if (m_frame == 0) {
        m_alpha += m_fadeSpeed;
        if (m_alpha > 1.0f) m_alpha = 1.0f;
      } else if (m_frame == aCount - 1) {
        m_alpha -= m_fadeSpeed;
        if (m_alpha <= 0.0f) {
          m_alpha = 1.0f;
          m_state = Inactive;
          break;
        }
      }
      if (m_alpha >= 1.0f) {
        advance();
        if (m_frame >= aCount) {
          m_frame = static_cast<int8_t>(aCount > 0 ? aCount - 1 : 0);
          m_state = Inactive;
        }
      }
      break;
    case OnceHold:
      advance();
      if (m_frame >= aCount)
        m_frame = static_cast<int8_t>(aCount > 0 ? aCount - 1 : 0);
      else if (m_frame < 0)
        m_frame = 0;
      break;
    case FadeOutLoop:
      m_frameCounter = static_cast<uint8_t>(m_frameCounter + getStep());
      if (m_frameCounter >= m_frameDelay) {
        m_frameCounter = 0;
        m_frame = static_cast<int8_t>(m_frame + 1);
        if (m_frame >= aCount) m_frame = 0;
      }
      m_alpha -= m_fadeSpeed;
      if (m_alpha <= 0.0f) m_state = Inactive;
      break;
    default:
      break;
  }
  return m_state;
}

void AnimationBasic::draw(Tesk::Graphics* g, int x, int y, float theColorFactor) {
  if (m_state == Inactive || m_state > Paused) return;
  TESK_ASSERT(m_image != nullptr);
  const int aCols = getCols();
  // Before setRowsCols the sheet has no cells to pick from.
  if (aCols == 0) return;
  const int aColumn = m_frame % aCols;
  const int aRow = m_frame / aCols;
  Tesk::TRect<int> aSrc(aColumn * m_cellWidth, aRow * m_cellHeight, m_cellWidth, m_cellHeight);
  Tesk::TRect<int> aDest(x, y, m_drawWidth, m_drawHeight);
  if (m_state == FadeOutLoop) {
    g->SetColor(Tesk::Color(static_cast<int>(m_alpha * m_red), static_cast<int>(m_alpha * m_green),
                            static_cast<int>(m_alpha * m_blue),
                            static_cast<int>(255.0f * m_alpha * theColorFactor)));
    g->DrawImage(m_image, aDest, aSrc);
    return;
  }
  g->SetColor(Tesk::Color(static_cast<int>(m_red * theColorFactor),
                          static_cast<int>(m_green * theColorFactor),
                          static_cast<int>(m_blue * theColorFactor), static_cast<int>(255.0f * m_alpha)));
  g->DrawImageMirror(m_image, aDest, aSrc, getMirrored());
}

void AnimationBasic::draw(Tesk::Graphics* g, float theColorFactor) { draw(g, m_x, m_y, theColorFactor); }

void AnimationBasic::drawTranslated(Tesk::Graphics* g, int x, int y, float theColorFactor) {
  draw(g, m_x + x, m_y + y, theColorFactor);
}

void AnimationBasic::setRowsCols(unsigned char theRows, unsigned char theCols) {
  TESK_ASSERT(m_image != nullptr && theRows != 0 && theCols != 0);
  setField(16, 15, theRows);
  setField(20, 15, theCols);
  m_cellWidth = static_cast<uint16_t>(m_image->GetWidth() / getCols());
  m_cellHeight = static_cast<uint16_t>(m_image->GetHeight() / getRows());
  m_drawWidth = static_cast<int16_t>(m_cellWidth);
  m_drawHeight = static_cast<int16_t>(m_cellHeight);
}

void AnimationBasic::setScaledSize(float theScale) {
  m_drawWidth = static_cast<int16_t>(m_cellWidth * theScale);
  m_drawHeight = static_cast<int16_t>(m_cellHeight * theScale);
}

void AnimationBasic::setFrame(int theFrame) {
  const int aCount = getFrameCount();
  // A sheet with no frames has only frame 0 to show.
  m_frame = static_cast<int8_t>(aCount > 0 ? theFrame % aCount : 0);
}

}  // namespace ANIM
