// What the two mini-game save targets share. An input is the body of one game (what follows
// the kind byte); it is read twice, behind the header as the second layout and headerless as
// the first. A refused save leaves the screen's game as it was; an accepted one names only
// tiles, cells and parts that exist, and writes back to bytes that read to the same bytes.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/ByteWriter.h"
#include "game/play/LevelData.h"
#include "game/play/MiniGame.h"
#include "graphics/Particles.h"

namespace MiniGameSaveFuzz {

inline void CheckGame(Tesk::MiniGame& theGame) {
  if (theGame.m_kind == Tesk::MiniGame::k_kindChant) {
    if (theGame.m_selectedCount < 0 || theGame.m_selectedCount > 12) std::abort();
    for (int i = 0; i < theGame.m_selectedCount; ++i) {
      const Tesk::WordStruct* t = theGame.m_selected[i];
      if (t < theGame.m_tiles || t >= theGame.m_tiles + 90 || t->visible) std::abort();
    }
    for (const Tesk::WordStruct& t : theGame.m_tiles)
      if (t.partIndex >= 90) std::abort();
    for (const Tesk::WordStruct* t : theGame.m_swap.tile)
      if (t != nullptr && (t < theGame.m_tiles || t >= theGame.m_tiles + 90)) std::abort();
  } else {
    if (theGame.m_numIngredientKinds < 1 || theGame.m_numIngredientKinds > 6 || theGame.m_target < 1 ||
        theGame.m_chainLength != 0)
      std::abort();
    for (const auto& aColumn : theGame.m_cells)
      for (const Tesk::MiniGame::PotionCell& c : aColumn)
        if (c.type < 0 || c.type >= theGame.m_numIngredientKinds) std::abort();
  }
}

inline void ReadOne(Tesk::MiniGame& theGame, const std::string& theFile) {
  PARTICLE::resetAll(true);
  const std::string aBefore = theGame.saveBytes();
  std::string anError;
  if (!theGame.readSave(theFile, &anError)) {
    if (anError.empty() || theGame.saveBytes() != aBefore) std::abort();
    return;
  }
  CheckGame(theGame);
  const std::string aWritten = theGame.saveBytes();
  if (!theGame.readSave(aWritten, &anError) || theGame.saveBytes() != aWritten) std::abort();
}

inline int Run(uint8_t theKind, const uint8_t* theData, size_t theSize) {
  static Tesk::MiniGame* sGame = [theKind] {
    auto* aGame = new Tesk::MiniGame(nullptr);
    aGame->m_kind = theKind;
    return aGame;
  }();
  const std::string aBody(reinterpret_cast<const char*>(theData), theSize);
  Tesk::ByteWriter aHeader;
  aHeader.u32(LevelData::k_saveMagic);
  aHeader.u32(LevelData::k_saveVersion);
  aHeader.u8(theKind);
  ReadOne(*sGame, aHeader.str() + aBody);
  ReadOne(*sGame, std::string(1, static_cast<char>(theKind)) + aBody);
  return 0;
}

}  // namespace MiniGameSaveFuzz
