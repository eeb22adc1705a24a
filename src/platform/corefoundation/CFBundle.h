// The main bundle's resources folder: $TESK_RESOURCES_DIR when set, else the
// folder the build generates the assets into.
#pragma once

#include <string>

// False when the folder does not exist.
bool CFBundleCopyResourcesDirectoryPath(std::string* thePath);
// The path of a resource inside that folder; false when it does not exist.
bool CFBundleCopyResourcePath(const std::string& theName, std::string* thePath);
