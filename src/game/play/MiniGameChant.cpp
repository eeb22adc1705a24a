// The chant game.
#include "game/play/MiniGame.h"

namespace Tesk {

void MiniGame::addAndAlphabetize(std::wstring&, const wchar_t*) {}

void MiniGame::sortAndDisplayWordPartButtons() {}

void MiniGame::clearButtonPressed() {}

void MiniGame::removeWordPart(int) {}

void MiniGame::testForWordPress(const int&, const int&) {}

bool MiniGame::basicPixelWordTest(const int&, const int&, WordStruct*) { return false; }

void MiniGame::setWordXOffset(WordStruct*, int) {}

void MiniGame::setWordYOffset(WordStruct*, int) {}

void MiniGame::setNewWordFade(int) {}

void MiniGame::updateWordFade() {}

int MiniGame::getSwapTime() { return 0; }

void MiniGame::updateSwap() {}

void MiniGame::updateWordParticleSystem() {}

}  // namespace Tesk
