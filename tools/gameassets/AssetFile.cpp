#include "AssetFile.h"

#include <cstdio>
#include <filesystem>

namespace GameAssets {

bool WriteAssetFile(const std::string& thePath, const std::string& theBytes) {
  std::error_code anError;
  std::filesystem::create_directories(std::filesystem::path(thePath).parent_path(), anError);
  FILE* aFile = std::fopen(thePath.c_str(), "wb");
  if (!aFile) return false;
  const bool aWritten = std::fwrite(theBytes.data(), 1, theBytes.size(), aFile) == theBytes.size();
  return std::fclose(aFile) == 0 && aWritten;
}

}  // namespace GameAssets
