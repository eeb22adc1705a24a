// Whether the store's folder reaches the disk after the rename, seen from fsync itself: this
// binary's own fsync records the folders it is asked to sync and passes every call on.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/corefoundation/PreferencesFile.h"
#include "support/TestTemp.h"

namespace {

std::atomic<bool> gRecording{false};
std::mutex gSyncedLock;
std::vector<std::pair<dev_t, ino_t>> gSyncedFolders;

}  // namespace

extern "C" int fsync(int theFile) {
  static const auto sReal = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
  struct stat aStat;
  if (gRecording && fstat(theFile, &aStat) == 0 && S_ISDIR(aStat.st_mode)) {
    std::lock_guard<std::mutex> aGuard(gSyncedLock);
    gSyncedFolders.emplace_back(aStat.st_dev, aStat.st_ino);
  }
  return sReal(theFile);
}

TEST(PreferencesFileSync, TheRenameReachesTheDiskWithItsFolder) {
  const std::string aDir = TeskTest::MakeTempDir("prefssync");
  struct stat aFolder;
  ASSERT_EQ(stat(aDir.c_str(), &aFolder), 0);
  gRecording = true;
  const bool aWritten = PreferencesFile::WriteAtomically(aDir + "/p.txt", "one");
  gRecording = false;
  ASSERT_TRUE(aWritten);
  std::lock_guard<std::mutex> aGuard(gSyncedLock);
  EXPECT_EQ(std::count(gSyncedFolders.begin(), gSyncedFolders.end(),
                       std::make_pair(aFolder.st_dev, aFolder.st_ino)),
            1);
}
