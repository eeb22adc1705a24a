// The mini-game screen that closes each chapter: the chant game after even chapters, the potion
// game after odd ones, with the side bar, pause, help, win and time-out.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "game/play/WordStruct.h"
#include "graphics/AnimationBasic.h"
#include "graphics/Color.h"
#include "widgets/ButtonListener.h"
#include "widgets/Widget.h"

namespace PARTICLE {
class ParticleSystem;
}

namespace Tesk {

class GameApp;
class Image;
class OrvoButtonWidget;
class PopupBox;

class MiniGame : public Widget, public ButtonListener {
 public:
  // Potion game: where the link from a chain cell to the next one is drawn, by the direction
  // in which the earlier cell lies as seen from the later one.
  struct ConnectorOffset {
    int16_t dx;
    int16_t dy;
    Image* image;
  };
  // Potion game: one cell of the 9 x 8 board.
  struct PotionCell {
    int16_t type;  // ingredient kind 0-5
    int16_t x;
    int16_t y;
    float scale;
    float growSpeed;  // 0: a new speed is drawn next update
    uint8_t selected;
    uint8_t exists;
    const ConnectorOffset* connector;
  };
  // Chant game: a tile fading out and in again.
  struct WordFadeSlot {
    WordStruct* tile;
    float alpha;
    uint32_t mode;  // 0 waiting, 1 fading out, 2 fading in
    int32_t timer;
  };
  // Chant game: two tiles changing places; index 0 tile A, 1 tile B.
  struct SwapRecord {
    WordStruct* tile[2];
    float posX[2];
    float posY[2];
    float velX[2];
    float velY[2];
    float accX[2];
    float accY[2];
    PARTICLE::ParticleSystem* particles[2];
    uint32_t swapWord;  // bit 0 moving, bits 1-31 countdown
  };
  struct PixelOffset {
    int dx;
    int dy;
  };

  // The kinds of game: the chant, the potion, or the one in the save file.
  static const uint8_t k_kindChant = 1;
  static const uint8_t k_kindPotion = 2;
  static const uint8_t k_kindSaved = 3;

  // Screen and states (MiniGame.cpp) -----------------------------------------------------------
  explicit MiniGame(GameApp* theApp);
  ~MiniGame() override;

  void Init();
  // 1 chant, 2 potion, 3 resume the saved game.
  void setGameType(uint8_t theKind) { m_kind = theKind; }
  bool isInWinState() { return m_state == 4 || m_state == 5; }
  bool getIsLevelPassed() { return isInWinState(); }
  void setGameState(uint8_t theState);
  void setWidgetsVisible(bool show);
  // Pauses over the board with help box theType; 58 and 65 also dim it. The caller marks the
  // help shown.
  void pauseWithPopup(uint8_t theType);
  // A side-bar text centred in the 121 x 20 box at (8, theY); the chapter heading's box (y 54) is
  // inset for languages other than English.
  void writeSideBarText(Graphics* g, const wchar_t* theText, int theY);
  void AddedToManager(WidgetManager* theManager) override;
  void RemovedFromManager(WidgetManager* theManager) override;
  void Update() override;
  void Draw(Graphics* g) override;
  void KeyDown(KeyCode theKey) override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int theClickCount) override;
  void MouseUp(int x, int y, int theClickCount) override;
  void MouseDrag(int x, int y) override;
  using ButtonListener::ButtonPress;
  void ButtonPress(int theId) override;
  void ButtonDepress(int theId) override;
  // The profile's level and difficulty; the kind of game the level closes with.
  int getLevel();
  int getDifficulty();
  uint8_t kindOfLevel();

  // Chant game (MiniGameChant.cpp) -------------------------------------------------------------
  int getNumberOfWordPartsToFind() { return m_numPartsToFind; }
  const std::wstring& getWordToFind() { return m_targetText; }
  // What a player sees of the chant game: the tiles (image, place, part, on the field or not),
  // the sorted letters of the chant and how many parts are chosen.
  const WordStruct& getTile(int theIndex) const { return m_tiles[theIndex]; }
  const std::wstring& getTargetLetters() const { return m_targetLetters; }
  int getSelectedCount() const { return m_selectedCount; }
  uint8_t getGameState() const { return m_state; }
  uint8_t getGameType() const { return m_kind; }
  // Inserts each character of thePart into the sorted theLetters, keeping it sorted.
  static void addAndAlphabetize(std::wstring& theLetters, const wchar_t* thePart);
  void sortAndDisplayWordPartButtons();
  void clearButtonPressed();
  void removeWordPart(int theId);
  void testForWordPress(const int& x, const int& y);
  // The tile a press at (x, y) chooses, or null: a lone box hit, else the first tile (in index
  // order) with a pixel of its own at or next to the point.
  WordStruct* findWordAt(int x, int y);
  bool basicPixelWordTest(const int& x, const int& y, WordStruct* theTile);
  void setWordXOffset(WordStruct* theTile, int theRange);
  void setWordYOffset(WordStruct* theTile, int theRange);
  void setNewWordFade(int theSlot);
  void updateWordFade();
  int getSwapTime();
  void updateSwap();
  void updateWordParticleSystem();
  // Cast: the chosen parts' letters against the target's.
  void castButtonPressed();
  // The screen's calls into the chant game; theParts images are in the table (entries 0 up).
  void setupChantGame(bool isRestored, int theParts);
  void updateChantGame();  // play update, state 3
  void drawChantBoard(Graphics* g);
  void drawChantSideBar(Graphics* g);
  // Where theTile's image is drawn and hit: its swap position while it flies.
  void getTilePosition(const WordStruct* theTile, int* x, int* y);
  // The fade slot holding theTile, or -1.
  int getFadeSlotOf(const WordStruct* theTile);

  // Potion game (MiniGamePotion.cpp) -----------------------------------------------------------
  static const int k_potionColumns = 9;
  static const int k_potionRows = 8;
  static const int k_potionCellPitch = 70;
  static const int k_maxChainCells = 39;  // of the 40 chain slots
  // Set-up once the screen has put block images 1 and up into m_images; a restored game keeps
  // the board, chain and scores that the save put back and only lets the ingredients grow in.
  void setupPotionGame(bool isRestored);
  // Every update, whatever the state or kind: cells without a grow speed draw one.
  void updatePotionGrowSpeeds();
  // The potion's part of the play update (state 3).
  void updatePotionGame();
  void drawPotionBoard(Graphics* g);
  // The bottle and the potion texts on the side bar.
  void drawPotionSideBar(Graphics* g);
  void testForPiecePress(const int& x, const int& y);
  void finishTestForPiecePress();
  void testForPotionPress(int x, int y);
  void drawConnectors(Graphics* g);
  // The board as a player sees it: column 0-8, row 0-7.
  const PotionCell& getPotionCell(int theColumn, int theRow) const { return m_cells[theColumn][theRow]; }

  // Save (MiniGameSave.cpp) --------------------------------------------------------------------
  bool saveLevelData();
  bool loadLevelData();
  bool loadLevelDataV1(FILE* theFile);
  bool loadLevelDataV0(FILE* theFile);
  // The save file of the profile in use, its bytes as saveLevelData writes them, and the reading
  // of a whole file: false with the reason, the game untouched, when the bytes are not a
  // mini-game this screen can resume.
  std::string getSavePath();
  std::string saveBytes();
  bool readSave(const std::string& theBytes, std::string* theError);
  static const size_t k_maxSaveFileSize = 4096;

  // Both games.
  Image* m_background;
  Image* m_sideBarImage;
  uint8_t m_state;
  uint8_t m_kind;
  OrvoButtonWidget* m_menuButton;  // id 1
  GameApp* m_app;
  PopupBox* m_popup;
  uint32_t m_idleCounter;
  Image* m_images[90];

  // Potion game.
  PotionCell m_cells[9][8];  // column by column
  PotionCell* m_chain[40];
  uint8_t m_chainLength;
  uint8_t m_longestChain;
  uint8_t m_numIngredientKinds;
  int16_t m_chainKind;  // -1 empty
  uint8_t m_threeChainCount;
  int16_t m_points;
  int16_t m_target;
  uint32_t m_bottleFill;  // in 1/70 points
  ANIM::AnimationBasic m_bubbleAnims[2];
  ANIM::AnimationBasic m_chainHeadAnim;
  float m_glowValue;
  uint32_t m_glowMode;  // 0 off, 1 dimming, 2 brightening

  // Chant game.
  OrvoButtonWidget* m_castButton;   // id 3
  OrvoButtonWidget* m_clearButton;  // id 2
  OrvoButtonWidget* m_partButtons[12];  // ids 100-111
  WordFadeSlot m_wordFades[6];
  SwapRecord m_swap;
  WordStruct m_tiles[90];
  WordStruct* m_selected[12];
  std::wstring m_targetLetters;
  std::wstring m_targetText;
  int32_t m_selectedCount;
  int32_t m_numPartsToFind;
  Image* m_chantBarImage;
  PARTICLE::ParticleSystem* m_wordParticles;

  // Both games: the popup, the image table, the play update.
  void showPopup(uint8_t theType);
  void hidePopup();
  int loadImages();  // returns the number of table entries filled
  void deleteImages();
  void updatePlay();

  // Init's once-per-run flag and Update's repaint accumulator; tests reset them.
  static bool alreadyInited;
  static float redraw;

  // Chant tables.
  static const uint8_t k_numWordPartsToFind[6];
  static const wchar_t* const s_wordGameStringList[90];
  static const PixelOffset extendedPixelDatamapTest[5];
  static const int totalExtendedDatamapTests = 5;
  static constexpr float k_wordFadeMinAlphaValue = 0.25f;
  static constexpr float k_wordFadeAlphaSpeed = 0.02f;
  static constexpr float m_wordFadeAlphaNorm = 0.7843f;

  // Potion tables.
  static const uint8_t k_numPotionPointsToGet[6];
  static const Color k_levelPotionColors[6];
  static const int16_t k_bubblesX[2];
  static ConnectorOffset s_connectorOffsets[8];
  static constexpr float k_pulseDarkestColor = 0.65f;
  static constexpr float k_pulseSpeed = 0.009f;
};

}  // namespace Tesk
