#include "support/TestTemp.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <system_error>

namespace TeskTest {

namespace {

std::string TempBase() {
  const char* aRoot = std::getenv("TESK_TEST_TMP");
  return aRoot ? aRoot : (std::filesystem::temp_directory_path() / "tesk-tests").string();
}

std::string TempRoot() { return TempBase() + "/" + std::to_string(getpid()); }

// The process that made the scratch folder removes it when it exits; a forked child that
// exits (a death test, say) leaves its parent's alone.
pid_t sOwner = 0;

void RemoveOwnFolder() {
  if (getpid() != sOwner) return;
  std::error_code anError;
  std::filesystem::remove_all(TempRoot(), anError);
}

// Folders of processes that are gone (killed, crashed) are removed by the next one.
void RemoveFoldersOfEndedProcesses() {
  std::error_code anError;
  for (const auto& anEntry : std::filesystem::directory_iterator(TempBase(), anError)) {
    const std::string aName = anEntry.path().filename().string();
    if (aName.empty() || aName.find_first_not_of("0123456789") != std::string::npos) continue;
    const pid_t aPid = static_cast<pid_t>(std::atol(aName.c_str()));
    if (aPid <= 0 || aPid == getpid()) continue;
    if (kill(aPid, 0) != 0 && errno == ESRCH) std::filesystem::remove_all(anEntry.path(), anError);
  }
}

void StartCleanUp() {
  static std::mutex sLock;
  std::lock_guard<std::mutex> aGuard(sLock);
  if (sOwner == getpid()) return;
  const bool isFirst = sOwner == 0;
  sOwner = getpid();
  RemoveFoldersOfEndedProcesses();
  // A forked child inherits the handler; it only acts in the process that owns the folder.
  if (isFirst) std::atexit(RemoveOwnFolder);
}

}  // namespace

std::string MakeTempDir(const std::string& theName) {
  static std::atomic<int> sCounter{0};
  StartCleanUp();
  std::filesystem::path aDir = std::filesystem::path(TempRoot()) / (theName + "-" + std::to_string(sCounter++));
  std::filesystem::remove_all(aDir);
  std::filesystem::create_directories(aDir);
  return aDir.string();
}

bool WriteFile(const std::string& thePath, const std::string& theBytes) {
  std::ofstream aFile(thePath, std::ios::binary | std::ios::trunc);
  if (!aFile) return false;
  aFile.write(theBytes.data(), static_cast<std::streamsize>(theBytes.size()));
  return static_cast<bool>(aFile);
}

std::string ReadFile(const std::string& thePath) {
  std::ifstream aFile(thePath, std::ios::binary);
  std::ostringstream aStream;
  aStream << aFile.rdbuf();
  return aStream.str();
}

}  // namespace TeskTest
