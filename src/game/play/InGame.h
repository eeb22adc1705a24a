// The play scene: a location with its objects, the side bar with the find list, the clock, the
// reveal charges and the repel spell; clicks find the listed objects.
#pragma once

#include <cstdint>

#include "game/play/LevelDynamics.h"
#include "game/play/ScreenShake.h"
#include "widgets/ButtonListener.h"
#include "widgets/Widget.h"

class LevelData;
struct LocationData;
struct Selectable;

namespace PARTICLE {
class ParticleSystem;
}

namespace Tesk {

class Font;
class GameApp;
class Image;
class OrvoButtonWidget;
class PopupBox;
class ProfileData;

class InGame : public Widget, public ButtonListener {
 public:
  // A found object's highlight; a null object is a free slot.
  struct Highlight {
    Selectable* m_object;
    float m_scale;
    float m_alpha;
    uint8_t m_phase;  // 1 grow, 2 glitter, 3 fade
    int16_t m_timer;
  };
  // The quick-find message of the side bar.
  struct QuickfindStruct {
    const wchar_t* m_text;  // null: none
    uint32_t m_counter;     // updates since the last find; 700 means not quick
    float m_alpha;
    Font* m_font;
    uint16_t m_timer;
  };
  // The one find-list line that shimmers.
  struct WordFade {
    int32_t m_wordIndex;
    float m_alpha;
    int32_t m_phase;  // 0 waiting, 1 fading down, 2 fading up
    int32_t m_delay;
  };

  // Model, states and drawing (InGame.cpp) -----------------------------------------------------
  explicit InGame(GameApp* theApp);
  ~InGame() override;

  void Init();
  void setGameState(unsigned char theState);
  void setWidgetsVisible(bool show);
  LocationData* getLocationData() { return m_location; }
  ScreenShake* getScreenShake() { return &m_screenShake; }
  QuickfindStruct* getQuickfindStruct() { return &m_quickfind; }
  void AddedToManager(WidgetManager* theManager) override;
  void RemovedFromManager(WidgetManager* theManager) override;
  void Update() override;
  void Draw(Graphics* g) override;
  void KeyDown(KeyCode theKey) override;
  void MouseMove(int x, int y) override;
  using ButtonListener::ButtonPress;
  void ButtonPress(int theId) override;
  void ButtonDepress(int theId) override;
  // The profile, level data and level of the application (null or 0 without them).
  ProfileData* profile();
  LevelData* levelData();
  int getLevel();
  void playSample(int theSample);
  // State 1's step of Update.
  void updatePlaying();

  // Input and object finding (InGameInput.cpp) -------------------------------------------------
  void MouseDown(int x, int y, int theClickCount) override;
  Selectable* pointObjCollisionCheck(int x, int y);
  void updateHighlighted();
  void drawHighlighted(Graphics* g, const float& theFade);
  bool quickfindTest();
  void quickfindReduction();
  // A hit on a list object: its entry loses a part, graded and sounded.
  void findListStep(Selectable* theObject);
  // When a highlight stops glittering: the location, chapter or level may be complete.
  void endOfFindChecks(Selectable* theObject);
  // Centre and particle area of an object: its rectangle less a small margin.
  static void particleArea(const Selectable* theObject, int& theX, int& theY, int& theW, int& theH);

  // Hints, spells, coins and runestones (InGameHints.cpp) --------------------------------------
  void hintButtonPress(int theCharge);
  void repelEvilButtonPress();
  void inactivateRepel();
  void repelAtLocation(bool on);
  // Opens the popup theType over the scene in theState (2 for help messages, 6 for messages that
  // lead elsewhere), dimming the scene when asked; a help message's bit (theType - 50) is set.
  void openPopup(int theType, unsigned char theState, bool dim, int theHintBit = -1);
  // A help message (popup 50 to 75), once per profile and only while the help box is on;
  // true when it opened.
  bool showHelpOnce(int theType, unsigned char theState, bool dim);
  // The location is not being repelled and the charge pays for a press.
  bool isRepelReady();
  // Steps of the playing update, in the order Update runs them among its own.
  void updateHelpIdle();
  void updateRevealWink();
  void updateRepelRecharge();
  void updateCrystalBallPulse();
  // A hit repel pickup, coin or runestone is taken; false for a list object, left to the list.
  bool foundCollectable(Selectable* theObject);
  // The start-of-location checks, once the state is 1: the second map, then the help messages.
  void entryChecks();
  // The end of a found object's highlight, once the location and chapter checks found nothing:
  // coins unlock the map and the wands, other finds teach.
  void findHighlightEnded(Selectable* theObject);
  // The coin rows alone (the final level's coins); true when a popup opened.
  bool coinUnlockChecks(bool atEntry);

  // The side bar's shimmer (SideBar.cpp) -------------------------------------------------------
  static void setNewWordFade(int theWordIndex);
  static void updateWordFade();

  // Ids 2 to 6: reveal charges 0 to 4.
  OrvoButtonWidget* m_revealButtons[5];
  GameApp* m_app;
  PopupBox* m_popup;
  OrvoButtonWidget* m_menuButton;  // id 0
  OrvoButtonWidget* m_mapButton;   // id 1
  OrvoButtonWidget* m_repelButton;  // id 7
  Image* m_sideBarImage;
  uint8_t m_state;
  // The location's objects by render order; render orders run 0 to 127, so every one has a slot.
  static const int k_renderSlots = 128;
  Selectable* m_renderArray[k_renderSlots];
  LocationData* m_location;
  Highlight m_highlights[4];
  float m_revealGlowAlpha;
  int32_t m_revealFlashTimer;
  uint8_t m_revealIndex;
  Selectable* m_revealedObject;
  int32_t m_winkTimer;
  uint8_t m_winkOn;
  uint8_t m_winkIndex;  // 255 none
  ScreenShake m_screenShake;
  PARTICLE::ParticleSystem* m_repelParticles;
  QuickfindStruct m_quickfind;
  int32_t m_helpIdleCounter;

  static LevelDynamics m_levelDynamics;
  static float m_crystalBallPulseAlpha;
  static float m_crystalBallFadeAlpha;
  static WordFade m_wordFade;
  static constexpr float k_wordFadeMinAlphaValue = 0.25f;
  static constexpr float k_wordFadeAlphaSpeed = 0.02f;
  static constexpr float m_wordFadeAlphaNorm = 0.7843f;
  static constexpr float k_crystalBallFadeAlphaMin = 0.0f;
  static constexpr float k_crystalBallFadeAlphaMax = 1.0f;
  static constexpr float k_crystalBallFadeAlpha = 0.006f;
  static constexpr float k_QUICKFIND_ALPHA_REDUCTION = 0.01f;
  static constexpr float k_hintFadeSpeed = 0.02f;
  static constexpr float k_highlightAlphaSpeed = 0.02f;
  static constexpr float k_highlightScaleSpeed1 = 0.06f;
  static constexpr float k_highlightScaleSpeed2 = 0.0f;
  static constexpr float k_highlightScaleConstDivisor = 0.18f;
  // Init's once-per-run flag and Update's repaint accumulator; tests reset them.
  static bool alreadyInited;
  static float redraw;
};

}  // namespace Tesk
