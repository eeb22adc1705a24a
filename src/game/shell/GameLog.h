// The game's log: one line per event on standard error, prefixed "game: ".
#pragma once

namespace Tesk {

// printf-style; the line ends with a newline of its own.
void GameLog(const char* theFormat, ...) __attribute__((format(printf, 1, 2)));

// Says once per process that the named part of the game is not built yet; later calls with the
// same name say nothing, so a screen that is drawn every frame logs one line.
void LogNotBuilt(const char* theWhat);

}  // namespace Tesk
