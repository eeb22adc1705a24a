// The mini-game's save: the chant or potion game after the level save's header, in the same
// per-profile file. A save is read whole and checked before any of it is applied, so a damaged
// file leaves the screen as it was and the chapter's game starts anew.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Common.h"
#include "core/UserFile.h"
#include "game/play/LevelData.h"
#include "game/play/MiniGame.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameLog.h"
#include "game/shell/ProfileData.h"
#include "graphics/Image.h"
#include "graphics/Particles.h"

namespace Tesk {

namespace {

// Tile and cell references are stored as byte offsets into the old 20-byte tile records.
constexpr uint32_t k_tileStride = 20;
constexpr uint32_t k_noChainCell = 0xFFFFFFFFu;
constexpr int k_maxTextUnits = 256;
// The longest wait between two swaps, and a swap's own length, in updates.
constexpr uint32_t k_maxSwapCountdown = 2000;
constexpr uint32_t k_swapUpdates = 250;
// Positions, velocities and accelerations of a swap stay well inside the screen's numbers.
constexpr float k_maxSwapValue = 10000.0f;
constexpr int k_maxTarget = 1000;
// The bottle holds 1/70 points; it never holds more than the most points a game can keep.
constexpr uint32_t k_maxFill = 70u * INT16_MAX;

struct ChantBody {
  WordStruct mTiles[90];
  int32_t mNumPartsToFind = 0;
  std::wstring mText;
  std::wstring mLetters;
  int32_t mSelectedCount = 0;
  int mSelected[12] = {};
  MiniGame::SwapRecord mSwap = {};
  int mSwapTiles[2] = {};
  bool mHasParticles = false;
  uint32_t mParticleArea[2][2] = {};  // width, height of tile A and B
};

struct PotionBody {
  uint8_t mKinds = 0;
  int16_t mPoints = 0;
  uint32_t mFill = 0;
  int16_t mTarget = 0;
  uint8_t mLongest = 0;
  MiniGame::PotionCell mCells[9][8] = {};
  uint8_t mChainLength = 0;
  int16_t mChainKind = -1;
  uint32_t mChain[40] = {};
};

// Reads a body from theIn; false with the reason when it is cut short or out of bounds.
class BodyReader {
 public:
  BodyReader(ByteReader& theIn, bool wideTexts, std::string* theError)
      : mIn(theIn), mWide(wideTexts), mError(theError) {}

  bool check(bool isOk, const std::string& theWhy) {
    if (mIn.failed()) {
      *mError = "it ends inside " + mWhere;
      return false;
    }
    if (!isOk) *mError = theWhy;
    return isOk;
  }

  bool readText(std::wstring* theText, const char* theWhat) {
    mWhere = theWhat;
    const int n = mIn.u16();
    if (!check(n >= 1 && n <= k_maxTextUnits, StrFormat("%s has %d characters", theWhat, n))) return false;
    theText->clear();
    bool isEnded = false;
    for (int i = 0; i < n; ++i) {
      const uint32_t aUnit = mWide ? mIn.u32() : mIn.u8();
      if (aUnit == 0) isEnded = true;
      if (!isEnded) theText->push_back(static_cast<wchar_t>(aUnit));
    }
    return check(isEnded, StrFormat("%s has no end", theWhat));
  }

  bool readChant(ChantBody& b) {
    mWhere = "the tiles";
    for (WordStruct& t : b.mTiles) {
      t.x = static_cast<int16_t>(mIn.u16());
      t.y = static_cast<int16_t>(mIn.u16());
      t.xOffset = static_cast<int8_t>(mIn.u8());
      t.yOffset = static_cast<int8_t>(mIn.u8());
      t.partIndex = mIn.u32();
      t.visible = mIn.u8() != 0 ? 1 : 0;
      t.image = nullptr;
      if (!check(t.partIndex < 90, StrFormat("tile %d holds word part %u", static_cast<int>(&t - b.mTiles),
                                             t.partIndex)))
        return false;
    }
    mWhere = "the chant";
    b.mNumPartsToFind = static_cast<int32_t>(mIn.u32());
    if (!check(b.mNumPartsToFind >= 1 && b.mNumPartsToFind <= 12,
               StrFormat("the chant has %d parts", b.mNumPartsToFind)) ||
        !readText(&b.mText, "the chant's text") || !readText(&b.mLetters, "the chant's letters"))
      return false;
    mWhere = "the selection";
    b.mSelectedCount = static_cast<int32_t>(mIn.u32());
    if (!check(b.mSelectedCount >= 0 && b.mSelectedCount <= b.mNumPartsToFind,
               StrFormat("%d parts are chosen of a chant of %d", b.mSelectedCount, b.mNumPartsToFind)))
      return false;
    for (int i = 0; i < b.mSelectedCount; ++i) {
      if (!readTile(&b.mSelected[i], "a chosen part")) return false;
      const WordStruct& t = b.mTiles[b.mSelected[i]];
      if (!check(!t.visible && std::count(b.mSelected, b.mSelected + i, b.mSelected[i]) == 0,
                 StrFormat("tile %d is chosen twice or still lies on the field", b.mSelected[i])))
        return false;
    }
    mWhere = "the swap";
    mIn.skip(8);
    MiniGame::SwapRecord& s = b.mSwap;
    for (float* aPair : {s.posX, s.posY, s.velX, s.velY, s.accX, s.accY}) {
      for (int k = 0; k < 2; ++k) {
        aPair[k] = mIn.f32();
        if (!check(std::isfinite(aPair[k]) && std::fabs(aPair[k]) <= k_maxSwapValue,
                   StrFormat("a swap value is %g", static_cast<double>(aPair[k]))))
          return false;
      }
    }
    mIn.skip(8);
    s.swapWord = mIn.u32();
    const bool isMoving = (s.swapWord & 1) != 0;
    if (!check((s.swapWord >> 1) <= (isMoving ? k_swapUpdates : k_maxSwapCountdown),
               StrFormat("the swap waits %u updates", s.swapWord >> 1)))
      return false;
    if (!isMoving) return true;
    if (!readTile(&b.mSwapTiles[0], "the swap") || !readTile(&b.mSwapTiles[1], "the swap") ||
        !check(b.mSwapTiles[0] != b.mSwapTiles[1], "the swap moves one tile twice"))
      return false;
    const uint8_t aFlag = mIn.u8();
    if (!check(aFlag <= 1, StrFormat("the swap's particle flag is %d", aFlag))) return false;
    b.mHasParticles = aFlag == 1;
    for (int k = 0; b.mHasParticles && k < 2; ++k) {
      b.mParticleArea[k][0] = mIn.u32();
      b.mParticleArea[k][1] = mIn.u32();
      if (!check(b.mParticleArea[k][0] <= 800 && b.mParticleArea[k][1] <= 600,
                 StrFormat("a swap particle area is %u by %u", b.mParticleArea[k][0], b.mParticleArea[k][1])))
        return false;
    }
    return true;
  }

  bool readPotion(PotionBody& b) {
    mWhere = "the potion";
    b.mKinds = mIn.u8();
    b.mPoints = static_cast<int16_t>(mIn.u16());
    b.mFill = mIn.u32();
    b.mTarget = static_cast<int16_t>(mIn.u16());
    b.mLongest = mIn.u8();
    if (!check(b.mKinds >= 1 && b.mKinds <= 6, StrFormat("it has %d kinds of ingredient", b.mKinds)) ||
        !check(b.mTarget >= 1 && b.mTarget <= k_maxTarget, StrFormat("its target is %d", b.mTarget)) ||
        // A winning chain ends past the target, and the game goes on being played (and saved) when
        // the summary is paused away: any score the field holds is one the game can have.
        !check(b.mPoints >= 0, StrFormat("it has %d points", b.mPoints)) ||
        !check(b.mFill <= k_maxFill, StrFormat("the bottle holds %u", b.mFill)))
      return false;
    mWhere = "the board";
    for (int i = 0; i < 9; ++i) {
      for (int j = 0; j < 8; ++j) {
        MiniGame::PotionCell& c = b.mCells[i][j];
        c.type = static_cast<int16_t>(mIn.u16());
        c.selected = mIn.u8() != 0 ? 1 : 0;
        c.exists = mIn.u8() != 0 ? 1 : 0;
        c.scale = static_cast<float>(mIn.u32());
        c.growSpeed = static_cast<float>(mIn.u32());
        c.x = static_cast<int16_t>(mIn.u16());
        c.y = static_cast<int16_t>(mIn.u16());
        c.connector = nullptr;
        if (!check(c.type >= 0 && c.type < b.mKinds, StrFormat("cell %d, %d holds kind %d", i, j, c.type)))
          return false;
      }
    }
    mWhere = "the chain";
    b.mChainLength = mIn.u8();
    b.mChainKind = static_cast<int16_t>(mIn.u16());
    if (!check(b.mChainLength <= 39, StrFormat("the chain is %d long", b.mChainLength)) ||
        !check(b.mChainKind >= -1 && b.mChainKind < b.mKinds, StrFormat("the chain's kind is %d", b.mChainKind)))
      return false;
    for (int k = 0; k < 40; ++k) {
      b.mChain[k] = mIn.u32();
      if (k < b.mChainLength &&
          !check(b.mChain[k] < 72 && std::count(b.mChain, b.mChain + k, b.mChain[k]) == 0,
                 StrFormat("chain place %d names cell %u", k, b.mChain[k])))
        return false;
    }
    return check(true, "");
  }

  std::string mWhere = "the kind";

 private:
  bool readTile(int* theTile, const char* theWhat) {
    mWhere = theWhat;
    const uint32_t aValue = mIn.u32();
    if (!check(aValue % k_tileStride == 0 && aValue / k_tileStride < 90,
               StrFormat("%s refers to byte %u", theWhat, aValue)))
      return false;
    *theTile = static_cast<int>(aValue / k_tileStride);
    return true;
  }

  ByteReader& mIn;
  bool mWide;
  std::string* mError;
};

// The rest of theFile from its position, at most theMax bytes; false when there is more.
bool readRest(FILE* theFile, size_t theMax, std::string* theBytes) {
  theBytes->assign(theMax + 1, '\0');
  const size_t aRead = theFile != nullptr ? std::fread(&(*theBytes)[0], 1, theBytes->size(), theFile) : 0;
  theBytes->resize(std::min(aRead, theMax));
  return aRead <= theMax;
}

// A scale or grow speed as the file keeps it: cut toward zero, below 0 (or not a number) 0, and
// at most the largest 32-bit value.
uint32_t wholeNumber(float theValue) {
  if (!(theValue > 0.0f)) return 0u;
  if (theValue >= 4294967296.0f) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(theValue);
}

}  // namespace

std::string MiniGame::getSavePath() {
  ProfileData* aProfile = m_app != nullptr ? m_app->getProfileData() : nullptr;
  const int anIndex = aProfile != nullptr ? aProfile->getProfileIdxUsing() : 0;
  return GetAppDataFolder() + StrFormat("%s%d", GameApp::k_LOAD_FILE_STRING, anIndex);
}

std::string MiniGame::saveBytes() {
  ByteWriter anOut;
  anOut.u32(LevelData::k_saveMagic);
  anOut.u32(LevelData::k_saveVersion);
  anOut.u8(m_kind);
  auto Text = [&anOut](const std::wstring& theText) {
    const size_t n = std::min<size_t>(theText.size(), k_maxTextUnits - 1);
    anOut.u16(static_cast<uint32_t>(n + 1));
    for (size_t i = 0; i < n; ++i) anOut.u32(static_cast<uint32_t>(theText[i]));
    anOut.u32(0);
  };
  auto TileRef = [this](const WordStruct* theTile) {
    return static_cast<uint32_t>(theTile - m_tiles) * k_tileStride;
  };
  if (m_kind == k_kindChant) {
    for (const WordStruct& t : m_tiles) {
      anOut.u16(static_cast<uint16_t>(t.x));
      anOut.u16(static_cast<uint16_t>(t.y));
      anOut.u8(static_cast<uint8_t>(t.xOffset));
      anOut.u8(static_cast<uint8_t>(t.yOffset));
      anOut.u32(t.partIndex);
      anOut.u8(t.visible != 0 ? 1 : 0);
    }
    anOut.u32(static_cast<uint32_t>(m_numPartsToFind));
    Text(m_targetText);
    Text(m_targetLetters);
    const int aCount = std::max(0, std::min(m_selectedCount, 12));
    anOut.u32(static_cast<uint32_t>(aCount));
    for (int i = 0; i < aCount; ++i) anOut.u32(TileRef(m_selected[i]));
    anOut.zeros(8);
    for (const float* aPair : {m_swap.posX, m_swap.posY, m_swap.velX, m_swap.velY, m_swap.accX, m_swap.accY}) {
      anOut.f32(aPair[0]);
      anOut.f32(aPair[1]);
    }
    anOut.zeros(8);
    const bool isMoving = (m_swap.swapWord & 1) != 0 && m_swap.tile[0] != nullptr && m_swap.tile[1] != nullptr;
    anOut.u32(isMoving ? m_swap.swapWord : m_swap.swapWord & ~1u);
    if (isMoving) {
      anOut.u32(TileRef(m_swap.tile[0]));
      anOut.u32(TileRef(m_swap.tile[1]));
      const bool hasParticles = m_swap.particles[0] != nullptr && m_swap.particles[1] != nullptr;
      anOut.u8(hasParticles ? 1 : 0);
      for (int k = 0; hasParticles && k < 2; ++k) {
        const Image* anImage = m_swap.tile[k]->image;
        anOut.u32(anImage != nullptr ? static_cast<uint32_t>(anImage->GetWidth()) : 0);
        anOut.u32(anImage != nullptr ? static_cast<uint32_t>(anImage->GetHeight()) : 0);
      }
    }
  } else {
    anOut.u8(m_numIngredientKinds);
    anOut.u16(static_cast<uint16_t>(m_points));
    anOut.u32(m_bottleFill);
    anOut.u16(static_cast<uint16_t>(m_target));
    anOut.u8(m_longestChain);
    for (const auto& aColumn : m_cells) {
      for (const PotionCell& c : aColumn) {
        anOut.u16(static_cast<uint16_t>(c.type));
        anOut.u8(c.selected != 0 ? 1 : 0);
        anOut.u8(c.exists != 0 ? 1 : 0);
        anOut.u32(wholeNumber(c.scale));
        anOut.u32(wholeNumber(c.growSpeed));
        anOut.u16(static_cast<uint16_t>(c.x));
        anOut.u16(static_cast<uint16_t>(c.y));
      }
    }
    const int aLength = std::min<int>(m_chainLength, 40);
    anOut.u8(static_cast<uint32_t>(aLength));
    anOut.u16(static_cast<uint16_t>(m_chainKind));
    for (int k = 0; k < 40; ++k) {
      const PotionCell* c = k < aLength ? m_chain[k] : nullptr;
      anOut.u32(c != nullptr ? static_cast<uint32_t>(c - &m_cells[0][0]) : k_noChainCell);
    }
  }
  return anOut.str();
}

bool MiniGame::saveLevelData() {
  if (m_kind != k_kindChant && m_kind != k_kindPotion) return false;
  const std::string aPath = getSavePath();
  if (!WriteUserFile(aPath, saveBytes())) {
    GameLog("mini-game save: %s cannot be written; the previous save is kept", aPath.c_str());
    return false;
  }
  return true;
}

bool MiniGame::readSave(const std::string& theBytes, std::string* theError) {
  // A file that starts with the magic and a version other than 0 has wide texts after the
  // header; anything else is the headerless first layout from its first byte.
  ByteReader anIn(theBytes.data(), theBytes.size());
  const uint32_t aMagic = anIn.u32();
  const uint32_t aVersion = aMagic == LevelData::k_saveMagic ? anIn.u32() : 0;
  const bool isWide = !anIn.failed() && aMagic == LevelData::k_saveMagic && aVersion != 0;
  anIn.seek(isWide ? 8 : 0);
  BodyReader aReader(anIn, isWide, theError);
  const uint8_t aKind = anIn.u8();
  if (!aReader.check(aKind == k_kindChant || aKind == k_kindPotion, StrFormat("it holds game kind %d", aKind)))
    return false;
  auto Finished = [&]() {
    return aReader.check(anIn.left() == 0, StrFormat("%zu bytes follow its end", anIn.left()));
  };

  if (aKind == k_kindChant) {
    auto b = std::make_unique<ChantBody>();
    if (!aReader.readChant(*b) || !Finished()) return false;
    std::copy(b->mTiles, b->mTiles + 90, m_tiles);
    m_numPartsToFind = b->mNumPartsToFind;
    m_targetText = b->mText;
    m_targetLetters = b->mLetters;
    m_selectedCount = b->mSelectedCount;
    std::fill(m_selected, m_selected + 12, nullptr);
    for (int i = 0; i < m_selectedCount; ++i) m_selected[i] = &m_tiles[b->mSelected[i]];
    m_swap = b->mSwap;
    m_swap.tile[0] = m_swap.tile[1] = nullptr;
    m_swap.particles[0] = m_swap.particles[1] = nullptr;
    if ((m_swap.swapWord & 1) != 0) {
      for (int k = 0; k < 2; ++k) {
        WordStruct* t = &m_tiles[b->mSwapTiles[k]];
        m_swap.tile[k] = t;
        if (!b->mHasParticles) continue;
        const int w = static_cast<int>(b->mParticleArea[k][0]), h = static_cast<int>(b->mParticleArea[k][1]);
        m_swap.particles[k] = PARTICLE::createSystem(t->x + w / 2, t->y + h / 2, 15, w, h, nullptr);
      }
    }
  } else {
    auto b = std::make_unique<PotionBody>();
    if (!aReader.readPotion(*b) || !Finished()) return false;
    m_numIngredientKinds = b->mKinds;
    m_points = b->mPoints;
    m_bottleFill = b->mFill;
    m_target = b->mTarget;
    m_longestChain = b->mLongest;
    std::copy(&b->mCells[0][0], &b->mCells[0][0] + 72, &m_cells[0][0]);
    // The button that held a chain is not held any more: the chain is let go unscored.
    for (auto& aColumn : m_cells)
      for (PotionCell& c : aColumn) c.selected = 0;
    std::fill(m_chain, m_chain + 40, nullptr);
    m_chainLength = 0;
    m_chainKind = -1;
  }
  m_kind = aKind;
  return true;
}

bool MiniGame::loadLevelData() {
  const std::string aPath = getSavePath();
  std::string aBytes;
  std::string anError;
  bool isThere = true;
  if (LevelData* aLevel = m_app != nullptr ? m_app->getLevelData() : nullptr) aLevel->setTotalLevelTime();
  switch (ReadUserFile(aPath, k_maxSaveFileSize, &aBytes)) {
    case UserFileRead::Missing:
      anError = "there is no such file";
      isThere = false;
      break;
    case UserFileRead::Unreadable:
      anError = "it cannot be read";
      break;
    case UserFileRead::TooLarge:
      anError = StrFormat("it is larger than %zu bytes", k_maxSaveFileSize);
      break;
    case UserFileRead::Ok:
      if (readSave(aBytes, &anError)) return true;
      break;
  }
  std::string aKeptAs;
  if (isThere) {
    // Out of the way of the new game's save, beside any save refused before.
    const std::string aKept = KeepRefusedUserFile(aPath);
    aKeptAs = aKept.empty() ? "it could not be kept aside; " : "it is kept as " + aKept + "; ";
  }
  GameLog("mini-game save: %s cannot be resumed (%s); %sthe chapter's %s game starts anew", aPath.c_str(),
          anError.c_str(), aKeptAs.c_str(), kindOfLevel() == k_kindChant ? "chant" : "potion");
  if (ProfileData* aProfile = m_app != nullptr ? m_app->getProfileData() : nullptr) {
    aProfile->setHasSaveFile(false);
    aProfile->setSaveInMinigame(false);
  }
  return false;
}

bool MiniGame::loadLevelDataV1(FILE* theFile) {
  std::string aBody, anError;
  if (!readRest(theFile, k_maxSaveFileSize, &aBody)) return false;
  // The header has been read: the body is read behind a header of its own.
  ByteWriter aHeader;
  aHeader.u32(LevelData::k_saveMagic);
  aHeader.u32(LevelData::k_saveVersion);
  return readSave(aHeader.str() + aBody, &anError);
}

bool MiniGame::loadLevelDataV0(FILE* theFile) {
  std::string aBytes, anError;
  if (!readRest(theFile, k_maxSaveFileSize, &aBytes)) return false;
  // The first layout has no header; one that starts like the magic would be read as the second.
  if (aBytes.size() >= 4 && ByteReader(aBytes.data(), 4).u32() == LevelData::k_saveMagic) return false;
  return readSave(aBytes, &anError);
}

}  // namespace Tesk
