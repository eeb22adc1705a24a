// The story screen, one widget for several modes: the story intro, the end of the game (the
// runestones shatter, the ending text on a scroll, the credits), the how-to-play pages and the
// chapter intro.
#pragma once

#include <cstdint>

#include "game/shell/TextPrinter.h"
#include "graphics/AnimationBasic.h"
#include "graphics/Color.h"
#include "widgets/ButtonListener.h"
#include "widgets/Widget.h"

namespace Tesk {

class GameApp;
class Image;
class OrvoButtonWidget;
class PopupBox;
class ProfileData;

class Story : public Widget, public ButtonListener {
 public:
  enum Mode : uint8_t {
    MODE_STORY_INTRO = 0,
    MODE_END_RUNESTONES = 1,
    MODE_END_SCROLL = 2,
    MODE_END_SCROLL_FADE = 3,
    MODE_CREDITS = 4,
    MODE_HOW_TO_PLAY = 5,  // before the first chapter
    MODE_HOW_TO_PLAY_INGAME = 7,
    MODE_LEVEL_INTRO = 8,
  };

  // Two texts that go together (a chapter's label and title; a spell and its goal format).
  struct TextPair {
    const wchar_t* m_first;
    const wchar_t* m_second;
  };
  // A picture of the chapter intro; a null image is an empty slot.
  struct IntroSlot {
    int16_t m_x;
    int16_t m_y;
    Image* m_image;
  };
  // A how-to-play page: where its two pictures go and which corner frames they get (0 none,
  // 1 small, 2 big).
  struct HowToPlayLoc {
    uint16_t m_leftY;
    uint16_t m_rightY;
    uint8_t m_leftFrame;
    uint8_t m_rightFrame;
  };

  // Screen and modes (Story.cpp) ----------------------------------------------------------------
  explicit Story(GameApp* theApp);
  ~Story() override;

  void SetMode(uint8_t theMode) { m_mode = theMode; }
  // Fills the class tables and makes the buttons; its body runs once per process.
  void Init();
  void AddedToManager(WidgetManager* theManager) override;
  void RemovedFromManager(WidgetManager* theManager) override;
  void Update() override;
  void Draw(Graphics* g) override;
  void MouseDown(int x, int y, int theClickCount) override;
  void ButtonDepress(int theId) override;
  // Prepares the current page of the current mode.
  void SetPage();
  // Id 1 next (or a click), 2 exit.
  void pressCaptured(int theId);
  void endCredits();
  void drawStoryBack(Graphics* g, const Color& theTint);

  // The profile in use, and its level (0 without one).
  ProfileData* profile();
  int profileLevel();
  // Block image theIndex; null when the blocks had fewer.
  Image* blockImage(int theIndex);
  // Centred on theCentreX, in the graphics' font.
  void writeCentred(Graphics* g, const wchar_t* theText, int theCentreX, int y);

  // How-to-play pages, modes 5 and 7 (StoryHowToPlay.cpp) ---------------------------------------
  static void initHowToPlayTables();
  // Places the next and exit buttons and adds them to the manager.
  void howToPlayAdded(WidgetManager* theManager);
  void howToPlaySetPage();
  void howToPlayDraw(Graphics* g);

  // Chapter intro, mode 8 (StoryLevelIntro.cpp) --------------------------------------------------
  // The start button and its glow, before the steps mode 8 shares with mode 0.
  void levelIntroAdded();
  void levelIntroSetPage();
  // Everything of the page but the particles.
  void levelIntroDraw(Graphics* g);
  // The profile's level as a chapter, 1-13 (a stored level outside them is brought inside).
  int levelIntroChapter();

  uint8_t m_page;
  uint8_t m_mode;
  float m_scrollAlpha;
  float m_creditsOffset;
  float m_endOfGameAlpha;
  uint16_t m_runestoneX[4];
  uint16_t m_runestoneY[4];
  float m_runestoneAlpha[4];
  int m_runestoneCounter;
  // Set once the screen asked for its fade to black.
  uint8_t m_leaving;
  Image* m_backImage;
  GameApp* m_app;
  PopupBox* m_popup;
  ANIM::AnimationBasic m_glowAnim;
  // Id 1 next (the chapter intro's start), id 2 exit.
  OrvoButtonWidget* m_nextButton;
  OrvoButtonWidget* m_exitButton;
  Image* m_chapterImages[12];
  IntroSlot m_introSlots[4];
  const TextPair* m_chapterPair;
  const TextPair* m_goalPair;
  uint16_t m_goalLabelY;
  uint8_t m_pageCount;
  const wchar_t* const* m_pageTitles;
  const wchar_t* const* m_pageTexts;
  Image* m_leftImage;
  Image* m_rightImage;
  // The level-intro block's 4 images and the second map's block after them.
  static const int k_maxBlockImages = 4 + 25;
  Image* m_blockImages[k_maxBlockImages];
  uint8_t m_numBlockImages;
  TextPrinter m_printer;

  // 0 long story, 1 short; set by the story-length choice.
  static uint8_t s_storyType;
  static constexpr float k_fadeSpeed = 0.01f;
  static constexpr float k_runestoneFadeSpeed = 1.0f / 300.0f;
  static constexpr float k_eofGameFadeSpeed = 1.0f / 1200.0f;
  // Init's once-per-process flag; tests reset it.
  static bool alreadyInited;

  // Chapter intro tables (filled by Init).
  static TextPair k_maxLevelIntroTextTitle[13];
  static TextPair k_goalString[13];
  static wchar_t s_goalStringBuffer[512];

  // How-to-play tables: two entries per page, left then right.
  static const wchar_t* k_howToPlayTitle[8];
  static const wchar_t* k_howToPlay[8];
  static const wchar_t* k_howToPlayPotionTitle[4];
  static const wchar_t* k_howToPlayPotion[4];
  static const wchar_t* k_howToPlayChantTitle[4];
  static const wchar_t* k_howToPlayChant[4];
  static const HowToPlayLoc k_howToPlayTitleLocs[4];
  static const HowToPlayLoc k_howToPlayTitlePotionLocs[2];
  static const HowToPlayLoc k_howToPlayTitleChantLocs[2];

 private:
  void loadBlockImages();
  void deleteBlockImages();
  // The fade to black that ends the screen; the switch follows when it is black.
  void startLeaving();
  // The switch of the mode when the screen has faded out.
  void leave();
  void updateRunestones();
  // The credits follow the ending (not the title screen's credits).
  bool isEndOfGame();
  void showUnlockPopup(uint8_t theType);
  // Dark lines down both edges of the story picture, fading inwards.
  void drawEdgeShading(Graphics* g, int theLines, int theAlpha);
  // Which layout the page has: the main game's, the potion game's or the chant game's.
  const HowToPlayLoc& howToPlayLoc();
  bool isPotionHelp();
  bool isChantHelp();
};

}  // namespace Tesk
