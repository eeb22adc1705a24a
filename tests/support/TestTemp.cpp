#include "support/TestTemp.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace TeskTest {

namespace {
std::string TempRoot() {
  const char* aRoot = std::getenv("TESK_TEST_TMP");
  std::string aBase = aRoot ? aRoot : (std::filesystem::temp_directory_path() / "tesk-tests").string();
  return aBase + "/" + std::to_string(getpid());
}
}  // namespace

std::string MakeTempDir(const std::string& theName) {
  static std::atomic<int> sCounter{0};
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
