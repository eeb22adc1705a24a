// Writes mini-game saves through the game's own writer, as seeds for the two save targets:
// minigame_save_seeds <corpus-dir> (fuzz/corpus). Each seed is the body after the kind byte,
// which is what the targets take. The games are set up on plain images in the sizes of the
// generated set.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ImageWriters.h"
#include "core/Common.h"
#include "core/MTRand.h"
#include "game/play/MiniGame.h"
#include "graphics/MemoryImage.h"
#include "graphics/Particles.h"

namespace {

using Tesk::MiniGame;

std::vector<std::unique_ptr<Tesk::MemoryImage>> s_images;

Tesk::Image* Plain(int theWidth, int theHeight) {
  auto anImage = std::make_unique<Tesk::MemoryImage>();
  anImage->Create(theWidth, theHeight);
  uint32_t* aBits = anImage->GetBits();
  for (int i = 0; i < theWidth * theHeight; ++i) aBits[i] = 0xFFC0A070u;
  s_images.push_back(std::move(anImage));
  return s_images.back().get();
}

bool WriteBody(const std::string& theDir, const std::string& theName, MiniGame& theGame) {
  // The header (8 bytes) and the kind byte are the target's to add.
  return TeskTools::WriteBytes(theDir + "/" + theName, theGame.saveBytes().substr(9));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: minigame_save_seeds <corpus-dir>\n");
    return 2;
  }
  const std::string aChantDir = std::string(argv[1]) + "/minigame_chant_save";
  const std::string aPotionDir = std::string(argv[1]) + "/minigame_potion_save";
  Tesk::MkDir(aChantDir);
  Tesk::MkDir(aPotionDir);
  bool isOk = true;

  MiniGame aChant(nullptr);
  aChant.m_kind = MiniGame::k_kindChant;
  for (int i = 0; i < 90; ++i) aChant.m_images[i] = Plain(30 + i % 25, 32);
  Tesk::SRand(3);
  aChant.setupChantGame(false, 90);
  isOk = WriteBody(aChantDir, "chant_fresh.body", aChant) && isOk;
  // Two parts chosen, then a swap under way with its particles.
  for (int t = 0, n = 0; t < 90 && n < 2; ++t) {
    if (aChant.m_tiles[t].partIndex != static_cast<uint32_t>(n * 40)) continue;
    aChant.m_selected[aChant.m_selectedCount++] = &aChant.m_tiles[t];
    aChant.m_tiles[t].visible = 0;
    ++n, t = -1;
  }
  isOk = WriteBody(aChantDir, "chant_two_chosen.body", aChant) && isOk;
  aChant.m_swap.swapWord = 1 << 1;
  for (int i = 0; i < 30; ++i) aChant.updateSwap();
  isOk = WriteBody(aChantDir, "chant_mid_swap.body", aChant) && isOk;

  MiniGame aPotion(nullptr);
  aPotion.m_kind = MiniGame::k_kindPotion;
  for (int i = 0; i < 17; ++i) aPotion.m_images[i] = i == 15 ? Plain(160, 40) : i == 16 ? Plain(390, 156) : Plain(60, 60);
  std::srand(5);
  Tesk::SRand(5);
  aPotion.setupPotionGame(false);
  isOk = WriteBody(aPotionDir, "potion_fresh.body", aPotion) && isOk;
  // A worn board with points in the bottle and a chain held when it was saved.
  for (int i : {0, 8})
    for (int j : {0, 2, 5, 7}) aPotion.m_cells[i][j].exists = 0;
  aPotion.m_points = 40;
  aPotion.m_bottleFill = 40 * 70 - 33;
  aPotion.m_longestChain = 7;
  for (int i = 1; i < 4; ++i) {
    aPotion.m_cells[i][3].type = 2;
    aPotion.m_cells[i][3].scale = 1.0f;
  }
  aPotion.m_state = 3;
  for (int i = 1; i < 4; ++i)
    aPotion.testForPiecePress(aPotion.m_cells[i][3].x + 30, aPotion.m_cells[i][3].y + 30);
  isOk = WriteBody(aPotionDir, "potion_chain_held.body", aPotion) && isOk;
  if (aPotion.m_chainLength != 3) std::fprintf(stderr, "minigame_save_seeds: the chain did not form\n");
  PARTICLE::resetAll(true);
  for (auto& anImage : aChant.m_images) anImage = nullptr;
  for (auto& anImage : aPotion.m_images) anImage = nullptr;
  return isOk ? 0 : 1;
}
