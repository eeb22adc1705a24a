// makegameassets: writes the game's resource folder (art, texts, fonts, sounds, music,
// manifest and main.pak), checks it, and can write previews of the screens.
//   makegameassets <out-dir> [--no-pak] [--no-media] [--broken] [--preview dir] [--check-only]
#include <chrono>
#include <cstdio>
#include <string>

#include "GameAssetSet.h"
#include "LocationCheck.h"
#include "Preview.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: makegameassets <out-dir> [--no-pak] [--no-media] [--broken] [--preview dir] [--check-only]\n");
    return 2;
  }
  const std::string aDir = argv[1];
  GameAssets::WriteOptions anOptions;
  std::string aPreview;
  bool aCheckOnly = false;
  for (int i = 2; i < argc; ++i) {
    const std::string anArg = argv[i];
    if (anArg == "--no-pak") {
      anOptions.mPak = false;
    } else if (anArg == "--no-media") {
      anOptions.mMedia = false;
    } else if (anArg == "--broken") {
      anOptions.mBroken = true;
    } else if (anArg == "--check-only") {
      aCheckOnly = true;
    } else if (anArg == "--preview" && i + 1 < argc) {
      aPreview = argv[++i];
    } else {
      std::fprintf(stderr, "makegameassets: unknown option %s\n", anArg.c_str());
      return 2;
    }
  }
  const auto aStart = std::chrono::steady_clock::now();
  std::string anError;
  if (aCheckOnly) {
    anError = GameAssets::CheckResourceFolder(aDir);
  } else if (!GameAssets::WriteGameAssets(aDir, anOptions, &anError)) {
    if (anError.empty()) anError = "failed";
  }
  if (anError.empty() && !aPreview.empty()) GameAssets::WritePreviews(aDir, aPreview, &anError);
  if (!anError.empty()) {
    std::fprintf(stderr, "makegameassets: %s\n", anError.c_str());
    return 1;
  }
  const double aSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - aStart).count();
  std::printf("makegameassets: wrote %s in %.2f s\n", aDir.c_str(), aSeconds);
  return 0;
}
