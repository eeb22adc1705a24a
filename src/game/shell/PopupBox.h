// The one popup box of the game: every menu, question, option page, profile list, help message
// and the chapter results panel. A type (0-75) lays it out; a transition sub-type (102-112)
// starts the next screen once the screen has faded to black.
#pragma once

#include <cstdint>

#include "graphics/Color.h"
#include "widgets/ButtonListener.h"
#include "widgets/CheckboxListener.h"
#include "widgets/EditListener.h"
#include "widgets/SliderListener.h"
#include "widgets/Widget.h"

namespace Tesk {

class Checkbox;
class EditWidget;
class GameApp;
class Image;
class OrvoButtonWidget;
class Slider;

enum PopupType : unsigned char {
  POPUP_PLAY_MENU = 0,
  POPUP_DIFFICULTY = 1,
  POPUP_HELP_OPTIONS = 2,
  POPUP_3D_OPTIONS = 3,
  POPUP_TITLE_OPTIONS = 4,
  POPUP_GAME_OPTIONS = 5,
  POPUP_CONFIRM_OVERWRITE = 6,
  POPUP_STORY_LENGTH = 7,
  POPUP_UNLOCKABLES = 8,
  POPUP_NEW_PROFILE = 9,
  POPUP_PROFILES = 10,
  POPUP_DELETE_PROFILE = 11,
  POPUP_ALL_OBJECTS_FOUND = 12,
  POPUP_LOCATION_DONE = 13,
  POPUP_CONFIRM_DELETE = 14,
  POPUP_CONFIRM_EXIT = 15,
  POPUP_CHAPTER_COMPLETE = 16,
  POPUP_LEVEL_FAILED = 17,
  POPUP_ALL_RUNESTONES = 18,
  POPUP_CHAPTER_OBJECTS_FOUND = 19,
  POPUP_NAME_EXISTS = 20,
  POPUP_NAME_EMPTY = 21,
  POPUP_PROFILE_ERROR = 22,
  POPUP_NO_WINDOW_TITLE = 23,
  POPUP_NO_WINDOW_GAME = 24,
  POPUP_HELP_POTION = 25,
  POPUP_HELP_CHANT = 26,
  POPUP_HIGH_SCORES = 27,
  POPUP_MAP_UNLOCKED = 28,
  POPUP_WANDS_UNLOCKED = 29,
  POPUP_EXTRA_HARD_UNLOCKED = 30,
  POPUP_WANDS_UNLOCKED_2 = 31,
  POPUP_FIRST_HELP_POTION = 32,
  POPUP_FIRST_HELP_CHANT = 33,
  // 34 to 49 lay out nothing of their own.
  POPUP_HINT_WELCOME = 50,
  POPUP_HINT_FIND_OBJECTS = 51,
  POPUP_HINT_FOUND_FIRST_OBJ = 52,
  POPUP_HINT_FIND_COINS = 53,
  POPUP_HINT_FOUND_FIRST_COIN = 54,
  POPUP_HINT_QUICKFIND = 55,
  POPUP_HINT_FIRST_QUICKFIND = 56,
  POPUP_HINT_FAILED_PRESS = 57,
  POPUP_HINT_SHORT_TIME = 58,
  POPUP_HINT_ENOUGH_OBJECTS_FOUND = 59,
  POPUP_HINT_REPEATED_MATCH3 = 60,
  POPUP_HINT_USING_REPEL = 61,
  POPUP_HINT_USING_REPEL2 = 62,
  POPUP_HINT_USING_REPEL_POWERUP = 63,
  POPUP_HINT_CHANT_HINT = 64,
  POPUP_HINT_CHANT_FAILED = 65,
  POPUP_HINT_RUNESTONES = 66,
  POPUP_HINT_FIRST_REPEL_FOUND = 67,
  POPUP_HINT_CHANT_CANNOT_ADD_MORE = 68,
  POPUP_HINT_MAP_BUTTON = 69,
  POPUP_HINT_DONT_WASTE_REVEALS = 70,
  POPUP_HINT_DUNGEON = 71,
  POPUP_HINT_CLICKED_ON_DISTRACTION = 72,
  POPUP_HINT_COIN_REMINDER = 73,
  POPUP_HINT_INGREDIENTS_DONT_MOVE = 74,
  POPUP_HINT_CUSTOM_CURSOR = 75,
};

// The screen a transition sub-type starts when the screen is black.
enum PopupSubType : unsigned char {
  POPUP_TO_MAP = 102,
  POPUP_TO_TITLE = 103,
  POPUP_TO_LEVEL_INTRO = 104,
  POPUP_TO_STORY = 105,
  POPUP_TO_MAP_2 = 106,
  POPUP_TO_POTION_GAME = 107,
  POPUP_TO_CHANT_GAME = 108,
  POPUP_TO_STORY_FINALLY = 109,
  POPUP_TO_CREDITS = 110,
  POPUP_TO_HOW_TO_PLAY_INGAME = 111,
  POPUP_TO_SAVED_MINI_GAME = 112,
};

class PopupBox : public Widget,
                 public ButtonListener,
                 public EditListener,
                 public SliderListener,
                 public CheckboxListener {
 public:
  // Model, types and lifecycle (PopupBox.cpp) --------------------------------------------------
  explicit PopupBox(GameApp* theApp);
  ~PopupBox() override;

  // Makes the child widgets; once, right after construction, by the title screen.
  void Init();
  // theType below 100 lays a type out; 100 or more arms a transition sub-type.
  void setType(unsigned char theType);
  void setParent(Widget* theParent) { m_parent = theParent; }
  void setWidgetsVisible(bool show);
  void SetVisible(bool isVisible) override;
  void AddedToManager(WidgetManager* theManager) override;
  void RemovedFromManager(WidgetManager* theManager) override;
  void Update() override;
  bool isHint();
  // One update of the chapter results animation (type 16).
  void updateLevelCompleted();

  // Layout per type (PopupBoxLayout.cpp) -------------------------------------------------------
  void setSize();
  void setButton(const int& theIndex, const int& theCount, const int& theFontHeight, const wchar_t* theLabel);
  void setBottomButton(const int& theIndex, const int& theFontHeight, const wchar_t* theLabel,
                       const Image* theImage, const Image* theOverImage);
  void setNameButton(const int& theIndex, const int& theFontHeight, const wchar_t* theName);
  int getYTextLoc(const int& theRow, float theCount, float theFontHeight, const int& theCentreY);
  int getBottomYLoc(Image* theBox, int theFontHeight);

  // Input and profile entry (PopupBoxInput.cpp) ------------------------------------------------
  void MouseDown(int x, int y, int theClickCount) override;
  void KeyChar(wchar_t theChar) override;
  void EditWidgetText(int theId, const TeskString& theText) override;
  bool AllowChar(int theId, wchar_t theChar) override;
  void CheckboxChecked(int theId, bool checked) override;
  void SliderVal(int theId, double theValue) override;
  void wordEnterPressed();
  void changeProfile();

  // Drawing (PopupBoxDraw.cpp) and the chapter results panel (PopupBoxResults.cpp) --------------
  void Draw(Graphics* g) override;
  void drawLevelCompleted(Graphics* g);
  // Composes the panel's four texts when type 16 is laid out; stores a beaten best time.
  void composeLevelCompleteTexts();

  // Button actions (PopupBoxActions.cpp) -------------------------------------------------------
  void ButtonDepress(int theId) override;

  Image* m_boxImage;
  uint16_t m_boxX;
  uint16_t m_boxY;
  GameApp* m_app;
  EditWidget* m_nameEdit;
  bool m_enterHandled;
  uint8_t m_deleteProfileIndex;
  Slider* m_musicSlider;
  Slider* m_soundSlider;
  Checkbox* m_fullScreenCheckbox;
  Checkbox* m_helpBoxCheckbox;
  Checkbox* m_distractionsCheckbox;
  Checkbox* m_3DCheckbox;
  Checkbox* m_customCursorCheckbox;
  OrvoButtonWidget* m_buttons[9];
  uint8_t m_type;
  uint8_t m_subType;
  Widget* m_parent;
  const wchar_t* m_headerText;
  const wchar_t* m_bodyText;
  int32_t m_chosenDifficulty;
  float m_bookTranslate;
  bool m_newRecord;
  float m_pulse;
  float m_pulseSpeed;
  // The chapter results animation, one word.
  uint32_t m_resultState : 8;
  uint32_t m_resultCountdown : 8;
  int32_t m_resultHintsLeft : 6;
  uint32_t m_resultTimeBonus : 1;

  static const Color k_highlightColor;
  static const Color k_baseColor;
  static const Color k_headerColor;
  static const Color k_baseBottomColor;
  static const Color k_bottomHighlightColor;
  static const Color k_baseNameColor;
  static const Color k_baseCurrentProfileColor;
  static const Color k_baseCurrentProfileHover;
  static const Color k_editWidgetTextColor;
  static constexpr float k_pulseSpeed = 0.01f;
  static constexpr float k_bookTranslateSpeed = 15.0f;
  // Left edges of the three wand pictures on the unlockables page.
  static const uint16_t s_wandX[3];

  // A chapter's job lines on the results panel: the top and up to six texts (null past the
  // chapter's last); Init takes the texts from the string table.
  struct LevelJobText {
    uint16_t m_top;
    const wchar_t* m_lines[6];
  };
  static LevelJobText k_levelJobTexts[12];

  // The results panel's composed texts.
  static wchar_t s_levelCompleteText1[40];
  static wchar_t s_levelCompleteText2[40];
  static wchar_t s_levelCompleteText3[64];
  static wchar_t s_levelCompleteText4[720];

 private:
  // The widget manager the popup lives in (the application's before it is added).
  WidgetManager* manager();
  void playSample(int theSoundId);
  // Hides the popup and fades back up: the scene underneath runs again.
  void close();
  // Hides the popup, fades to black and arms theSubType.
  void leaveTo(unsigned char theSubType);
  // The next screen of a finished chapter: the potion game after odd chapters, the chant game
  // after even ones.
  unsigned char miniGameByLevelParity();
  void saveMiniGame();
  // Entry actions of the results states 2 (one hint awarded), 3 and 4 (a bonus line's burst).
  void awardHint();
  void burstOverBonusLine(const wchar_t* theText, bool theCutForRussian);
  // The hundredths of a second the chapter took: the level's whole time less the clock.
  uint32_t hundredthsTaken();
  // The body text word-wrapped in the box's message area.
  void drawMessage(Graphics* g);
  void enterResultState(unsigned theState);
  // The state after the hints: time bonus, grade plus, or done.
  unsigned resultStateAfterHints();
};

}  // namespace Tesk
