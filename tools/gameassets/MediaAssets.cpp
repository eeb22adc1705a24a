#include "MediaAssets.h"

#include <cstdio>

#include "AssetFile.h"
#include "GameFonts.h"
#include "GameMusic.h"
#include "GameSounds.h"
#include "GameStrings.h"
#include "ProfileFilesWriter.h"
#include "StringTableWriter.h"

namespace GameAssets {

std::vector<ManifestItem> WriteMediaAssets(const std::string& theOutDir) {
  std::vector<ManifestItem> anItems;
  std::string anError;
  bool aWritten =
      WriteAssetFile(theOutDir + "/str.str", TeskTools::StringTableBytes(GameStringRecords())) &&
      WriteAssetFile(theOutDir + "/hsdefaults.txt", TeskTools::HallOfFameDefaultsBytes(HallOfFameNames()));
  if (!aWritten) anError = "cannot write the string table or the hall-of-fame names";
  aWritten = aWritten && WriteGameFonts(theOutDir, &anItems, &anError) &&
             WriteGameSounds(theOutDir, &anItems, &anError) && WriteGameMusic(theOutDir, &anError);
  if (!aWritten) {
    std::fprintf(stderr, "gameassets: %s\n", anError.c_str());
    return {};
  }
  return anItems;
}

}  // namespace GameAssets
