// The earthquake of the final level, with lightning that darkens indoor scenes between
// flashes; the play scene embeds one and the map reads it.
#pragma once

#include <cstdint>

class ScreenShake {
 public:
  static constexpr float k_maxOffset = 6.0f;

  ScreenShake();

  // Stops any quake at once, silently.
  void reset();
  // A quake of theUpdates updates (none for 0), with its sound.
  void startNew(int theUpdates);
  void update();
  void resetLightTimer();
  void startDarkTimer();
  float getX();
  float getY();
  bool getDimmed();

  float m_x;
  float m_y;
  int32_t m_shakeLeft;
  int32_t m_wait;        // updates until the next quake
  int32_t m_lightTimer;  // updates until the lightning toggles
  uint8_t m_dark;

 private:
  static void playQuakeSound();
};
