// The mini-game save on the generated asset set: both bodies at their fixed offsets, a game
// resumed through the screen as StartMiniGameSaved shows it (a chant mid-swap with its
// particles, a potion whose ingredients grow in again), the first headerless layout, and
// damaged or cut files, which start a new game of the chapter's kind and say why.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "MiniGameRig.h"
#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "game/shell/ProfileData.h"
#include "platform/alerts/StandardAlert.h"
#include "platform/alerts/backend/ScriptedAlertBackend.h"
#include "support/TestTemp.h"

namespace {

using MiniTest::MiniGameRig;
using Tesk::MiniGame;
using Tesk::WordStruct;

class MiniGameSave : public MiniGameRig {
 protected:
  std::string SavedFile() { return TeskTest::ReadFile(SavePath()); }
  void WriteSave(const std::string& theBytes) { TeskTest::WriteFile(SavePath(), theBytes); }
  // The saved game resumed on a new screen, as StartMiniGameSaved does it.
  void Resume() {
    Leave();
    mGame = NewScreen();
    Show(3);
  }
  static uint32_t U32(const std::string& b, size_t o) { return Tesk::ByteReader(b.data() + o, 4).u32(); }
  static uint16_t U16(const std::string& b, size_t o) { return Tesk::ByteReader(b.data() + o, 2).u16(); }
  static float F32(const std::string& b, size_t o) { return Tesk::ByteReader(b.data() + o, 4).f32(); }
};

TEST_F(MiniGameSave, ANewChantGameIsSavedAtOnceWithEveryFieldInItsPlace) {
  AtLevel(4);
  Show(1, 21);
  // Saved when it was set up, and the profile says so.
  EXPECT_EQ(SavedFile(), mGame->saveBytes());
  EXPECT_TRUE(App().mProfile.getSaveInMinigame());
  ClickTile(TileOfPart(7));   // bell
  ClickTile(TileOfPart(42));  // la
  const std::string aNow = mGame->saveBytes();
  ASSERT_TRUE(mGame->saveLevelData());
  ASSERT_EQ(SavedFile(), aNow);

  EXPECT_EQ(U32(aNow, 0), 0x00ACDCAAu);
  EXPECT_EQ(U32(aNow, 4), 1u);
  EXPECT_EQ(static_cast<uint8_t>(aNow[8]), 1);
  for (int i : {0, 37, 89}) {
    const WordStruct& t = mGame->getTile(i);
    const size_t o = 9 + 11 * i;
    EXPECT_EQ(static_cast<int16_t>(U16(aNow, o)), t.x);
    EXPECT_EQ(static_cast<int16_t>(U16(aNow, o + 2)), t.y);
    EXPECT_EQ(static_cast<int8_t>(aNow[o + 4]), t.xOffset);
    EXPECT_EQ(static_cast<int8_t>(aNow[o + 5]), t.yOffset);
    EXPECT_EQ(U32(aNow, o + 6), t.partIndex);
    EXPECT_EQ(static_cast<uint8_t>(aNow[o + 10]), t.visible);
  }
  EXPECT_EQ(U32(aNow, 999), 5u);
  const size_t n = mGame->getWordToFind().size() + 1;
  ASSERT_EQ(U16(aNow, 1003), n);
  for (size_t i = 0; i + 1 < n; ++i) EXPECT_EQ(U32(aNow, 1005 + 4 * i), static_cast<uint32_t>(mGame->getWordToFind()[i]));
  EXPECT_EQ(U32(aNow, 1005 + 4 * (n - 1)), 0u);
  size_t o = 1005 + 4 * n;
  const size_t m = mGame->getTargetLetters().size() + 1;
  ASSERT_EQ(U16(aNow, o), m);
  o += 2 + 4 * m;
  ASSERT_EQ(U32(aNow, o), 2u);  // selected count, then 20 x the tile index of each
  EXPECT_EQ(U32(aNow, o + 4), 20u * TileOfPart(7));
  EXPECT_EQ(U32(aNow, o + 8), 20u * TileOfPart(42));
  o += 12;
  // The swap record: spare, 12 floats, spare, the swap word; no swap moving: nothing follows.
  EXPECT_EQ(U32(aNow, o), 0u);
  EXPECT_EQ(U32(aNow, o + 4), 0u);
  EXPECT_EQ(U32(aNow, o + 64), mGame->m_swap.swapWord);
  EXPECT_EQ(mGame->m_swap.swapWord & 1, 0u);
  EXPECT_EQ(aNow.size(), o + 68);
}

TEST_F(MiniGameSave, AChantSavedMidSwapResumesWithBothTilesFlyingAndTheirParticles) {
  AtLevel(2);
  Show(1, 4);
  ClickTile(TileOfPart(ChantParts()[0]));
  mGame->m_swap.swapWord = 1 << 1;
  for (int i = 0; i < 41; ++i) mGame->updateSwap();  // the swap starts, then flies 40 updates
  ASSERT_EQ(mGame->m_swap.swapWord & 1, 1u);
  const int a = static_cast<int>(mGame->m_swap.tile[0] - mGame->m_tiles);
  const int bTile = static_cast<int>(mGame->m_swap.tile[1] - mGame->m_tiles);
  const MiniGame::SwapRecord aSwap = mGame->m_swap;
  ASSERT_TRUE(mGame->saveLevelData());
  const std::string b = SavedFile();
  const size_t aRecord = b.size() - 68 - 8 - 1 - 16;
  EXPECT_EQ(F32(b, aRecord + 8), aSwap.posX[0]);
  EXPECT_EQ(F32(b, aRecord + 12), aSwap.posX[1]);
  EXPECT_EQ(F32(b, aRecord + 48), aSwap.accY[0]);
  EXPECT_EQ(U32(b, aRecord + 68), 20u * a);
  EXPECT_EQ(U32(b, aRecord + 72), 20u * bTile);
  EXPECT_EQ(static_cast<uint8_t>(b[aRecord + 76]), 1);
  EXPECT_EQ(U32(b, aRecord + 77), static_cast<uint32_t>(mGame->m_swap.tile[0]->image->GetWidth()));

  const std::wstring aChant = mGame->getWordToFind();
  WordStruct aTiles[90];
  std::copy(mGame->m_tiles, mGame->m_tiles + 90, aTiles);
  Resume();
  EXPECT_EQ(mGame->getGameType(), 1);
  EXPECT_EQ(mGame->getWordToFind(), aChant);
  EXPECT_EQ(mGame->getSelectedCount(), 1);
  EXPECT_TRUE(mGame->m_partButtons[0]->mVisible);
  EXPECT_TRUE(mGame->m_clearButton->mVisible);
  for (int i = 0; i < 90; ++i) {
    EXPECT_EQ(mGame->getTile(i).x, aTiles[i].x);
    EXPECT_EQ(mGame->getTile(i).partIndex, aTiles[i].partIndex);
    EXPECT_EQ(mGame->getTile(i).visible, aTiles[i].visible);
    EXPECT_EQ(mGame->getTile(i).image, mGame->m_images[aTiles[i].partIndex]);
  }
  ASSERT_EQ(mGame->m_swap.tile[0], &mGame->m_tiles[a]);
  EXPECT_EQ(mGame->m_swap.swapWord, aSwap.swapWord);
  EXPECT_EQ(mGame->m_swap.velX[1], aSwap.velX[1]);
  ASSERT_NE(mGame->m_swap.particles[0], nullptr);
  ASSERT_NE(mGame->m_swap.particles[1], nullptr);
  EXPECT_EQ(mGame->m_swap.particles[0]->m_type, 15);
  // Resuming writes nothing: the file is what it was.
  EXPECT_EQ(SavedFile(), b);
  // It flies on to where it was going.
  const int aTargetX = mGame->m_tiles[a].x + mGame->m_tiles[a].xOffset;
  Run(300);
  int x, y;
  mGame->getTilePosition(&mGame->m_tiles[a], &x, &y);
  EXPECT_EQ(x, aTargetX);
  EXPECT_EQ(mGame->m_swap.swapWord & 1, 0u);
}

TEST_F(MiniGameSave, APotionSavedAtItsOffsetsResumesExactlyAndGrowsIn) {
  AtLevel(5);  // board shape 2: the middle six cells gone
  Show(2, 8);
  mGame->m_points = 31;
  mGame->m_bottleFill = 31 * 70 - 5;
  mGame->m_longestChain = 6;
  Run(200);  // everything grown
  ASSERT_EQ(mGame->m_state, 3);
  ASSERT_EQ(mGame->getPotionCell(0, 0).scale, 1.0f) << mGame->getPotionCell(0, 0).growSpeed;
  const std::string b = mGame->saveBytes();
  ASSERT_EQ(b.size(), 1334u);
  EXPECT_EQ(static_cast<uint8_t>(b[8]), 2);
  EXPECT_EQ(static_cast<uint8_t>(b[9]), 6);
  EXPECT_EQ(static_cast<int16_t>(U16(b, 10)), mGame->m_points);
  EXPECT_EQ(U32(b, 12), mGame->m_bottleFill);
  EXPECT_EQ(static_cast<int16_t>(U16(b, 16)), 105);
  EXPECT_EQ(static_cast<uint8_t>(b[18]), 6);
  for (auto [i, j] : {std::pair{0, 0}, {4, 3}, {8, 7}}) {
    const MiniGame::PotionCell& c = mGame->getPotionCell(i, j);
    const size_t o = 19 + 16 * (8 * i + j);
    EXPECT_EQ(static_cast<int16_t>(U16(b, o)), c.type);
    EXPECT_EQ(static_cast<uint8_t>(b[o + 3]), c.exists);
    EXPECT_EQ(U32(b, o + 4), c.exists ? 1u : 0u);  // grown: scale 1; a gap never grows
    EXPECT_EQ(U32(b, o + 8), 0u);  // speeds below 1 are stored as 0
    EXPECT_EQ(U16(b, o + 12), static_cast<uint16_t>(c.x));
    EXPECT_EQ(U16(b, o + 14), static_cast<uint16_t>(c.y));
  }
  EXPECT_EQ(static_cast<uint8_t>(b[1171]), 0);
  EXPECT_EQ(static_cast<int16_t>(U16(b, 1172)), -1);
  EXPECT_EQ(U32(b, 1174), 0xFFFFFFFFu);

  ASSERT_TRUE(mGame->saveLevelData());
  MiniGame::PotionCell aCells[9][8];
  std::memcpy(aCells, mGame->m_cells, sizeof(aCells));
  const int16_t aPoints = mGame->m_points;
  const uint32_t aFill = mGame->m_bottleFill;
  Resume();
  EXPECT_EQ(mGame->getGameType(), 2);
  EXPECT_EQ(mGame->m_points, aPoints);
  EXPECT_EQ(mGame->m_target, 105);
  EXPECT_EQ(mGame->m_bottleFill, aFill);
  EXPECT_EQ(mGame->m_longestChain, 6);
  for (int i = 0; i < 9; ++i) {
    for (int j = 0; j < 8; ++j) {
      const MiniGame::PotionCell& c = mGame->getPotionCell(i, j);
      EXPECT_EQ(c.type, aCells[i][j].type);
      EXPECT_EQ(c.exists, aCells[i][j].exists) << i << "," << j;
      EXPECT_EQ(c.x, aCells[i][j].x);
      EXPECT_EQ(c.scale, 0.0f);  // grows in again
    }
  }
  EXPECT_EQ(mGame->getPotionCell(4, 3).exists, 0);
  Run(200);
  EXPECT_EQ(mGame->getPotionCell(0, 0).scale, 1.0f);
}

TEST_F(MiniGameSave, APotionSavedWithAChainHeldResumesWithTheChainLetGo) {
  AtLevel(1);
  Show(2, 2);
  for (int i = 0; i < 3; ++i) mGame->m_cells[i][0].type = 4;
  for (int i = 0; i < 3; ++i)
    mGame->testForPiecePress(mGame->m_cells[i][0].x + 30, mGame->m_cells[i][0].y + 30);
  ASSERT_EQ(mGame->m_chainLength, 3);
  const std::string b = mGame->saveBytes();
  EXPECT_EQ(static_cast<uint8_t>(b[1171]), 3);
  EXPECT_EQ(static_cast<int16_t>(U16(b, 1172)), 4);
  EXPECT_EQ(U32(b, 1174), 0u);   // cell (0, 0)
  EXPECT_EQ(U32(b, 1178), 8u);   // cell (1, 0): column by column
  EXPECT_EQ(U32(b, 1182), 16u);
  EXPECT_EQ(U32(b, 1186), 0xFFFFFFFFu);
  ASSERT_TRUE(mGame->saveLevelData());
  const int16_t aPoints = mGame->m_points;
  Resume();
  EXPECT_EQ(mGame->m_chainLength, 0);
  EXPECT_EQ(mGame->m_chainKind, -1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(mGame->getPotionCell(i, 0).selected, 0);
  EXPECT_EQ(mGame->m_points, aPoints);
}

TEST_F(MiniGameSave, TheFirstLayoutWithoutHeaderAndWithNarrowTextsIsRead) {
  AtLevel(2);
  Show(1, 6);
  const std::string aWide = mGame->saveBytes();
  // The same game in the first layout: no header, texts of 8-bit characters.
  std::string aNarrow = aWide.substr(8, 1003 - 8);
  size_t o = 1003;
  for (int k = 0; k < 2; ++k) {
    const uint16_t n = U16(aWide, o);
    aNarrow += aWide.substr(o, 2);
    for (int i = 0; i < n; ++i) aNarrow += static_cast<char>(U32(aWide, o + 2 + 4 * i));
    o += 2 + 4 * n;
  }
  aNarrow += aWide.substr(o);
  WriteSave(aNarrow);
  const std::wstring aChant = mGame->getWordToFind();
  Resume();
  EXPECT_EQ(mGame->getWordToFind(), aChant);
  EXPECT_EQ(mGame->getGameType(), 1);
  EXPECT_EQ(SavedFile(), aNarrow);  // resumed, not replaced
}

// A chant and a potion save, each damaged in one way: resuming starts a new game of the
// chapter's kind and says why; the damaged file is kept aside under a number of its own, and
// the new game is saved in its place.
TEST_F(MiniGameSave, DamagedOrCutSavesStartANewGameOfTheChaptersKindAndSayWhy) {
  AtLevel(2);
  Show(1, 12);
  ClickTile(TileOfPart(10));
  const std::string aChant = mGame->saveBytes();
  Leave();
  mGame = NewScreen();
  AtLevel(3);
  Show(2, 12);
  const std::string aPotion = mGame->saveBytes();

  struct Damage {
    const char* what;
    int level;
    std::function<std::string()> bytes;
    const char* reason;  // a piece of the message
  };
  auto Set32 = [](std::string b, size_t o, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[o + i] = static_cast<char>(v >> (8 * i));
    return b;
  };
  const size_t aSelection = aChant.size() - 68 - 8;  // the count, then one tile
  const Damage aDamages[] = {
      {"empty", 2, [] { return std::string(); }, "ends inside"},
      {"missing", 2, [] { return std::string("\x01"); }, "ends inside"},
      {"chant cut in the tiles", 2, [&] { return aChant.substr(0, 500); }, "ends inside the tiles"},
      {"chant cut in the swap", 2, [&] { return aChant.substr(0, aChant.size() - 3); }, "ends inside the swap"},
      {"chant with a byte too many", 2, [&] { return aChant + "x"; }, "follow its end"},
      {"kind 7", 2, [&] { return aChant.substr(0, 8) + "\x07" + aChant.substr(9); }, "game kind 7"},
      {"word part 90", 2, [&] { return Set32(aChant, 9 + 6, 90); }, "word part 90"},
      {"a chant of 40 parts", 2, [&] { return Set32(aChant, 999, 40); }, "40 parts"},
      {"a text without end", 2, [&] { return Set32(aChant, 1005 + 4 * (U16(aChant, 1003) - 1), 'x'); }, "no end"},
      {"13 parts chosen", 2, [&] { return Set32(aChant, aSelection, 13); }, "parts are chosen"},
      {"a tile 95 chosen", 2, [&] { return Set32(aChant, aSelection + 4, 20 * 95); }, "refers to byte"},
      {"a visible tile chosen", 2, [&] {
         std::string b = aChant;
         const uint32_t t = U32(aChant, aSelection + 4) / 20;
         b[9 + 11 * t + 10] = 1;
         return b;
       }, "still lies on the field"},
      {"a swap flying nowhere", 2, [&] { return Set32(aChant, aChant.size() - 4, (3u << 1) | 1); }, "ends inside the swap"},
      {"a swap position not a number", 2, [&] { return Set32(aChant, aChant.size() - 68 + 8, 0x7FC00000u); }, "swap value"},
      {"potion cut", 3, [&] { return aPotion.substr(0, 1200); }, "ends inside the chain"},
      {"no ingredient kinds", 3, [&] { std::string b = aPotion; b[9] = 0; return b; }, "0 kinds"},
      {"target 0", 3, [&] { std::string b = aPotion; b[16] = b[17] = 0; return b; }, "target is 0"},
      {"an ingredient of kind 9", 3, [&] { std::string b = aPotion; b[19 + 16 * 5] = 9; return b; }, "kind 9"},
      {"a chain of 41", 3, [&] { std::string b = aPotion; b[1171] = 41; return b; }, "41 long"},
      {"a chain through cell 80", 3, [&] { std::string b = aPotion; b[1171] = 1; return Set32(b, 1174, 80); }, "names cell 80"},
  };
  // Every damaged file kept so far, by the name it was kept under.
  std::vector<std::pair<std::string, std::string>> aKept;
  for (const Damage& d : aDamages) {
    SCOPED_TRACE(d.what);
    AtLevel(d.level);
    App().mProfile.setHasSaveFile(true);
    App().mProfile.setSaveInMinigame(true);
    const std::string aBytes = d.bytes();
    if (std::string(d.what) == "missing")
      std::remove(SavePath().c_str());
    else
      WriteSave(aBytes);
    testing::internal::CaptureStderr();
    Resume();
    const std::string aLog = testing::internal::GetCapturedStderr();
    EXPECT_NE(aLog.find("cannot be resumed"), std::string::npos) << aLog;
    if (std::string(d.what) != "missing") {
      EXPECT_NE(aLog.find(d.reason), std::string::npos) << aLog;
    }
    EXPECT_NE(aLog.find(d.level == 2 ? "chant game starts anew" : "potion game starts anew"), std::string::npos) << aLog;
    const std::string aKeptAs = "it is kept as " + SavePath() + ".corrupt";
    if (std::string(d.what) == "missing") {
      EXPECT_EQ(aLog.find(aKeptAs), std::string::npos) << aLog;
    } else {
      // The next free number: no file kept before is written over.
      const size_t aName = aLog.find(aKeptAs);
      ASSERT_NE(aName, std::string::npos) << aLog;
      const std::string aPath = aLog.substr(aName + 14, aLog.find(';', aName) - aName - 14);
      for (const auto& k : aKept) EXPECT_NE(k.first, aPath);
      aKept.emplace_back(aPath, aBytes);
      for (const auto& k : aKept) EXPECT_EQ(TeskTest::ReadFile(k.first), k.second) << k.first;
    }
    EXPECT_EQ(mGame->getGameType(), d.level == 2 ? 1 : 2);
    EXPECT_EQ(mGame->m_state, 3);
    // The new game is the save now.
    EXPECT_EQ(SavedFile(), mGame->saveBytes());
    EXPECT_TRUE(App().mProfile.getSaveInMinigame());
    if (d.level == 2) {
      EXPECT_EQ(mGame->getSelectedCount(), 0);
      EXPECT_EQ(static_cast<int>(ChantParts().size()), mGame->getNumberOfWordPartsToFind());
    } else {
      EXPECT_EQ(mGame->m_target, 85);
    }
  }
}

// The whole path the game writes when a winning chain overshoots: 58 points and a chain of 5
// make 61 of 60; the summary is paused away (a minimised window), the pause box's Back plays on,
// and the player leaves. The save holds 61 of 60, and it resumes as it was.
TEST_F(MiniGameSave, APotionPastItsTargetIsSavedAndResumedAsItWas) {
  AtLevel(1);
  Show(2, 3);
  Run(200);  // everything grown
  mGame->m_points = 58;
  for (int i = 0; i < 5; ++i) mGame->m_cells[i][0].type = 1;
  for (int i = 0; i < 5; ++i)
    mGame->testForPiecePress(mGame->m_cells[i][0].x + 30, mGame->m_cells[i][0].y + 30);
  mGame->finishTestForPiecePress();
  ASSERT_EQ(mGame->m_points, 61);
  ASSERT_TRUE(mGame->isInWinState());
  Run(2);
  ASSERT_EQ(mGame->m_state, 5);
  App().mMinimized = true;
  Run(1);
  App().mMinimized = false;
  ASSERT_EQ(mGame->m_state, 6);
  PopupButton(9);  // back to the game
  Settle();
  Run(1);
  ASSERT_EQ(mGame->m_state, 3);
  ASSERT_FALSE(mGame->isInWinState());
  Press(mGame->m_menuButton);
  ASSERT_EQ(mGame->m_state, 6);
  PopupButton(8);  // exit the game
  PopupButton(5);  // yes
  const std::string b = SavedFile();
  ASSERT_EQ(b.size(), 1334u);
  EXPECT_EQ(static_cast<int16_t>(U16(b, 10)), 61);
  EXPECT_EQ(static_cast<int16_t>(U16(b, 16)), 60);
  EXPECT_TRUE(App().mProfile.getSaveInMinigame());

  testing::internal::CaptureStderr();
  Resume();
  const std::string aLog = testing::internal::GetCapturedStderr();
  EXPECT_EQ(aLog.find("cannot be resumed"), std::string::npos) << aLog;
  EXPECT_EQ(mGame->m_points, 61);
  EXPECT_EQ(mGame->m_target, 60);
  EXPECT_EQ(SavedFile(), b);
}

// A bottle can hold any score the points field can: past the target, up to its largest value.
TEST_F(MiniGameSave, APotionSaveIsBoundByItsFieldsNotByItsTarget) {
  AtLevel(1);
  Show(2, 4);
  const std::string aGood = mGame->saveBytes();
  struct Case {
    int16_t mPoints;
    uint32_t mFill;
    bool mRead;
  };
  const Case kCases[] = {
      {61, 61 * 70, true}, {61, 60 * 70 + 5, true}, {INT16_MAX, 70u * INT16_MAX, true},
      {0, 336, true},      {-1, 0, false},          {61, 70u * INT16_MAX + 1, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::to_string(c.mPoints) + " points, fill " + std::to_string(c.mFill));
    std::string b = aGood;
    b[10] = static_cast<char>(c.mPoints & 0xFF);
    b[11] = static_cast<char>((c.mPoints >> 8) & 0xFF);
    for (int i = 0; i < 4; ++i) b[12 + i] = static_cast<char>(c.mFill >> (8 * i));
    std::string anError;
    EXPECT_EQ(mGame->readSave(b, &anError), c.mRead) << anError;
    if (c.mRead) {
      EXPECT_EQ(mGame->m_points, c.mPoints);
      EXPECT_EQ(mGame->m_bottleFill, c.mFill);
    }
  }
}

// A new game whose save the data folder refuses: the profile keeps saying what is on disk
// (no save), and the player is told.
TEST_F(MiniGameSave, ANewGameWhoseSaveCannotBeWrittenLeavesTheProfilesFlagsAndSaysSo) {
  AtLevel(2);
  ASSERT_FALSE(App().mProfile.getHasSaveFile());
  std::remove(SavePath().c_str());
  ASSERT_TRUE(std::filesystem::create_directory(SavePath()));  // the save's name is taken by a folder
  ScriptedAlertBackend anAlerts;
  SetAlertBackend(&anAlerts);
  Show(1);
  SetAlertBackend(nullptr);
  std::filesystem::remove(SavePath());
  EXPECT_FALSE(App().mProfile.getHasSaveFile());
  EXPECT_FALSE(App().mProfile.getSaveInMinigame());
  const std::string aProfile = TeskTest::ReadFile(Tesk::ProfileData::getProfilePath());
  ASSERT_EQ(aProfile.size(), 800u);
  EXPECT_EQ(aProfile[8 + 81], 0) << "the profile on disk claims no save";
  ASSERT_EQ(anAlerts.Shown().size(), 1u);
  EXPECT_NE(anAlerts.Shown()[0].mExplanation.find("could not be saved"), std::string::npos)
      << anAlerts.Shown()[0].mExplanation;
}

TEST_F(MiniGameSave, AGameThatCannotBeWrittenKeepsThePreviousSave) {
  AtLevel(2);
  Show(1);
  const std::string aBefore = SavedFile();
  ASSERT_FALSE(aBefore.empty());
  // A data folder that is a file: nothing can be written under it.
  const std::string aFile = s_folder->dir() + "/a-file";
  TeskTest::WriteFile(aFile, "x");
  Tesk::SetAppDataFolder(aFile + "/");
  EXPECT_FALSE(mGame->saveLevelData());
  Tesk::SetAppDataFolder(s_folder->dir() + "/");
  EXPECT_EQ(SavedFile(), aBefore);
}

}  // namespace
