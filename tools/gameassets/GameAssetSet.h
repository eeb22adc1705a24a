#pragma once
// The game's whole resource folder: the art (this half), the media (MediaAssets.h), the
// manifest naming every resource of every group, and main.pak holding the manifest's files.
#include <string>

namespace GameAssets {

struct WriteOptions {
  bool mPak = true;        // main.pak beside the loose files
  bool mMedia = true;      // texts, fonts, sounds and music
  bool mBroken = false;    // damaged copies for tests, under broken/
};

// Writes everything into theDir; checks every location and block before it answers.
bool WriteGameAssets(const std::string& theDir, const WriteOptions& theOptions, std::string* theError);

// Damaged variants made by the same writers, for tests of bad input: a truncated image
// block and an oversized location object file.
bool WriteBrokenVariants(const std::string& theDir, std::string* theError);

}  // namespace GameAssets
