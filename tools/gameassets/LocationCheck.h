#pragma once
// Checks a location's object file and image block (and the object-text file) against what
// the play scene relies on, and names the first thing that breaks it. The generator and
// the tests both run it.
#include <cstdint>
#include <string>
#include <vector>

#include "ImageWriters.h"
#include "LocationFilesWriter.h"

namespace GameAssets {

// Share of a findable object's visible pixels that later-drawn objects may cover.
constexpr double k_maxCoveredShare = 0.6;

struct LocationFiles {
  int mId = 0;
  std::vector<TeskTools::ObjectRecord> mRecords;
  std::vector<TeskTools::BlockImage> mImages;  // background first
};

// The visit counts location theId has over levels 1 to 12 (level 13 draws no list).
std::vector<int> VisitCounts(int theId);

// How much of record theIndex's picture later-drawn visible records hide (0 to 1).
double CoveredShare(const LocationFiles& theFiles, size_t theIndex);

// Empty when the location is sound, else the first violation.
std::string CheckLocation(const LocationFiles& theFiles);

// The same, from the two files' bytes.
std::string CheckLocationBytes(int theId, const std::string& theObjects, const std::string& theBlock);

// Empty when the object-text file fits the twelve locations' records.
std::string CheckObjectText(const std::string& theBytes,
                            const std::vector<std::vector<TeskTools::ObjectRecord>>& theLocations);

// Reads an image block; false with a reason when it is short or malformed.
bool ReadBlock(const std::string& theBytes, std::vector<TeskTools::BlockImage>* theImages, std::string* theError);
bool ReadObjectRecords(const std::string& theBytes, std::vector<TeskTools::ObjectRecord>* theRecords,
                       std::string* theError);

// Location theId's object file and image block, and an image block file theName, read from the
// written resource folder theDir; false with a reason naming the file when it is missing or
// malformed.
bool ReadLocation(const std::string& theDir, int theId, LocationFiles* theFiles, std::string* theError);
bool ReadBlockFile(const std::string& theDir, const std::string& theName,
                   std::vector<TeskTools::BlockImage>* theImages, std::string* theError);

// Checks every location and block of a written resource folder.
std::string CheckResourceFolder(const std::string& theDir);

}  // namespace GameAssets
