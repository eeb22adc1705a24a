// What the archive layer needs of the platform layer: opening plain files (with the resources
// folder retry), the resources folder itself, the working folder and the disk search.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

struct _WIN32_FIND_DATA;

namespace PakPlatform {

FILE* OpenFile(const char* theFileName, const char* theAccess);
bool ResourcesDir(std::string& theDir);
std::string CurrentDir();
void FillFindData(_WIN32_FIND_DATA* theData, const std::string& theName, uint32_t theSize);
void* DiskFindFirst(const char* thePattern, _WIN32_FIND_DATA* theData);
bool DiskFindNext(void* theSearch, _WIN32_FIND_DATA* theData);
void DiskFindClose(void* theSearch);

}  // namespace PakPlatform
