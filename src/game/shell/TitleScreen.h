// The title screen: background, lightning, wind and glow, the welcome line, Play, Options, Exit
// and change-player; it owns the one popup box that every screen shares.
#pragma once

#include <cstdint>

#include "graphics/AnimationBasic.h"
#include "graphics/Color.h"
#include "widgets/ButtonListener.h"
#include "widgets/Widget.h"

namespace Tesk {

class GameApp;
class Image;
class OrvoButtonWidget;
class PopupBox;

namespace TITLE_SCREEN {
struct OptionLocation {
  int32_t m_x;
  int32_t m_y;
};
// Top-left corners of Play, Options and Exit.
extern const OptionLocation k_mainOptionLocations[3];
// Label anchors of the three for languages other than English.
extern const OptionLocation k_mainOptionLocLocations[3];
}  // namespace TITLE_SCREEN

class TitleScreen : public Widget, public ButtonListener {
 public:
  explicit TitleScreen(GameApp* theApp);
  ~TitleScreen() override;

  // Makes the buttons and the popup box; its body runs once per process (alreadyInited).
  void Init();
  PopupBox* getPopupWidget() { return m_popup; }
  void AddedToManager(WidgetManager* theManager) override;
  void RemovedFromManager(WidgetManager* theManager) override;
  void Update() override;
  void Draw(Graphics* g) override;
  void KeyDown(KeyCode theKey) override;
  void MouseDown(int x, int y, int theClickCount) override;
  void ButtonDepress(int theId) override;
  void resetWelcomeText();
  void createNewProfile();

  // 4 while a first profile has to be made.
  uint8_t m_profileNeeded;
  Image* m_backImage;
  GameApp* m_app;
  // Ids 1 Play, 2 Options, 3 Exit.
  OrvoButtonWidget* m_mainButtons[3];
  // Id 6.
  OrvoButtonWidget* m_changePlayerButton;
  PopupBox* m_popup;
  ANIM::AnimationBasic m_lightningAnim;
  ANIM::AnimationBasic m_loopAnims[2];
  ANIM::AnimationBasic m_windAnim;
  int16_t m_glowX;
  int16_t m_glowY;
  float m_glowAlpha;
  float m_glowStep;
  // High nibble the phase (0 idle, 1 flash shown, 2 dark between flashes), low nibble the frame.
  uint8_t m_lightning;
  uint8_t m_flashesLeft;
  int16_t m_lightningCountdown;
  int16_t m_windCountdown;
  // Rebuilt by Update when empty.
  wchar_t m_welcomeText[64];
  Image* m_blockImages[10];
  uint8_t m_numBlockImages;

  static const Color s_welcomTextColor;
  // Init's once-per-process flag; tests reset it.
  static bool alreadyInited;

 private:
  void releaseBlockImages();
  // One step of the lightning when its countdown has run out.
  void updateLightning();
  // Dims the screen and opens the popup as theType with this screen as its parent.
  void openPopup(uint8_t theType);
};

}  // namespace Tesk
