// A sprite sheet played one cell at a time: rows x columns of equal cells, a
// per-tick frame delay, a signed frame step, a fade value and a few play states.
#pragma once

#include <cstdint>

namespace Tesk {
class Graphics;
class Image;
}  // namespace Tesk

namespace ANIM {

enum AnimState {
  Inactive = 0,
  Play = 1,
  PingPong = 2,
  FadePlayFade = 3,
  OnceHold = 4,
  FadeOutLoop = 5,
  Hold = 6,
  Paused = 7,
};

class AnimationBasic {
 public:
  static const float s_fadeSpeed;

  Tesk::Image* m_image;
  float m_alpha;
  float m_fadeSpeed;
  uint8_t m_state;
  uint8_t m_frameDelay;
  uint8_t m_frameCounter;
  int8_t m_frame;
  // bits 0-7 frame count, 8-10 signed step, 11-15 id, 16-19 rows, 20-23 columns, 24 wrap, 25 mirrored.
  uint32_t m_packed;
  uint16_t m_cellWidth;
  uint16_t m_cellHeight;
  int16_t m_x;
  int16_t m_y;
  int16_t m_drawWidth;
  int16_t m_drawHeight;
  uint8_t m_red;
  uint8_t m_green;
  uint8_t m_blue;

  AnimationBasic();
  virtual ~AnimationBasic() = default;

  void setAnim(int theId, Tesk::Image* theImage, int theFrameCount, int theFrameDelay, int theState);
  void setAnim(Tesk::Image* theImage, int theFrameCount, int theFrameDelay, int theState);
  void changeState(int theState);

  // One 10 ms tick; returns the new state.
  virtual int update();
  virtual void draw(Tesk::Graphics* g, float theColorFactor);
  void draw(Tesk::Graphics* g, int x, int y, float theColorFactor);
  void drawTranslated(Tesk::Graphics* g, int x, int y, float theColorFactor);

  void setRowsCols(unsigned char theRows, unsigned char theCols);
  void setScaledSize(float theScale);
  void setXY(int x, int y) {
    m_x = static_cast<int16_t>(x);
    m_y = static_cast<int16_t>(y);
  }
  void setY(int y) { m_y = static_cast<int16_t>(y); }
  void setWH(int w, int h) {
    m_drawWidth = static_cast<int16_t>(w);
    m_drawHeight = static_cast<int16_t>(h);
  }
  void setColor(int r, int g, int b) {
    m_red = static_cast<uint8_t>(r);
    m_green = static_cast<uint8_t>(g);
    m_blue = static_cast<uint8_t>(b);
  }
  void setFadeSpeed(float theSpeed) { m_fadeSpeed = theSpeed; }
  void setFadeValue(float theValue) { m_alpha = theValue; }
  void setWrap(int theWrap) { setBit(24, theWrap & 1); }
  void setMirrored(int theMirrored) { setBit(25, theMirrored & 1); }
  void setFrame(int theFrame);
  void clear() { m_state = Inactive; }
  void unpause() {
    if (m_state == Paused) m_state = Play;
  }

  bool isInactive() const { return m_state == Inactive; }
  bool isPaused() const { return m_state == Paused; }
  int getX() const { return m_x; }
  int getY() const { return m_y; }
  int getFrameOn() const { return m_frame; }
  int getCellWidth() const { return m_cellWidth; }
  int getCellHeight() const { return m_cellHeight; }

  int getFrameCount() const { return static_cast<int>(m_packed & 0xFF); }
  // The 3-bit field read as -4..3.
  int getStep() const { return static_cast<int>((m_packed >> 8) & 7) - (((m_packed >> 8) & 4) ? 8 : 0); }
  int getId() const { return static_cast<int>((m_packed >> 11) & 31); }
  int getRows() const { return static_cast<int>((m_packed >> 16) & 15); }
  int getCols() const { return static_cast<int>((m_packed >> 20) & 15); }
  bool getWrap() const { return (m_packed >> 24) & 1; }
  bool getMirrored() const { return (m_packed >> 25) & 1; }

 private:
  void setBit(int theBit, bool on) {
    m_packed = on ? (m_packed | (1u << theBit)) : (m_packed & ~(1u << theBit));
  }
  void setField(int theShift, uint32_t theMask, uint32_t theValue) {
    m_packed = (m_packed & ~(theMask << theShift)) | ((theValue & theMask) << theShift);
  }
  void setStep(int theStep) { setField(8, 7, static_cast<uint32_t>(theStep)); }
  // Counter + 1, and on reaching the delay, the next frame by the step.
  void advance();
};

}  // namespace ANIM
