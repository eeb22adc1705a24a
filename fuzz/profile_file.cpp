// Any bytes as a profile file and as the hall-of-fame defaults: reading either refuses them
// or takes them, and what was taken writes back to bytes that read the same.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzInputFile.h"
#include "core/Common.h"
#include "game/play/LevelTables.h"
#include "game/shell/ProfileData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  static const std::string sFolder = [] {
    std::string aFolder = "/tmp/fuzz-profile-" + std::to_string(getpid()) + "/";
    Tesk::MkDir(aFolder);
    Tesk::SetAppDataFolder(aFolder);
    return aFolder;
  }();
  const std::string aBytes(reinterpret_cast<const char*>(theData), theSize);

  std::FILE* aFile = std::fopen((sFolder + Tesk::ProfileData::k_hsDefaultsName).c_str(), "wb");
  if (aFile == nullptr) return 0;
  std::fwrite(theData, 1, theSize, aFile);
  std::fclose(aFile);
  Tesk::ProfileData aData;  // reads the defaults file
  for (int i = 0; i < 6; ++i)
    if (std::wcslen(aData.getRankRecord(i)->mName) > 9) std::abort();

  std::string anError;
  if (!aData.fromFileBytes(aBytes, &anError)) return 0;
  if (aData.getProfileIdxUsing() > 3) std::abort();
  // Every name ends inside its record, whatever the file held.
  for (int i = 0; i < 4; ++i)
    if (std::wcslen(aData.getProfileName(i)) >= Tesk::ProfileRecord::k_nameUnits) std::abort();
  const std::string aWritten = aData.toFileBytes();
  Tesk::ProfileData aBack;
  if (!aBack.fromFileBytes(aWritten, &anError) || aBack.toFileBytes() != aWritten) std::abort();
  // What play can reach: a clock within its level's allowance, a total within the whole game's,
  // one of the three wands.
  for (int i = 0; i < 4; ++i) {
    aData.setProfileUsing(i);
    const int anAllowed = static_cast<int>(levelTimeAllowed(aData.getLevelOn(), aData.getDifficultyLevel()));
    if (aData.getLevelTimer() < 0 || aData.getLevelTimer() > anAllowed || aData.getTotalGameTime() < 0 ||
        aData.getTotalGameTime() > 19980 || aData.getWandUsing() > 2)
      std::abort();
  }
  return 0;
}
