#pragma once
// Writing one generated file: its folders are made first.
#include <string>

namespace GameAssets {

// Writes theBytes to thePath, making the folders above it; false when anything fails.
bool WriteAssetFile(const std::string& thePath, const std::string& theBytes);

}  // namespace GameAssets
