// The main bundle's resources folder: $TESK_RESOURCES_DIR when set, else the
// folder the build generates the assets into, unless the run has been given another.
#pragma once

#include <string>

// From now on the resources folder is thePath (an absolute one), as when the program is told
// to work in another folder; empty goes back to the bundle's own.
void CFBundleSetResourcesDirectoryPath(const std::string& thePath);

// False when the folder does not exist.
bool CFBundleCopyResourcesDirectoryPath(std::string* thePath);
// The path of a resource inside that folder; false when it does not exist.
bool CFBundleCopyResourcePath(const std::string& theName, std::string* thePath);
