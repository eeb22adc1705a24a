#pragma once
// Whole locations in the game's file layout, for tests, fuzz seeds and benchmarks: object
// records, the image block that goes with them, and object-text entries.
#include <string>
#include <vector>

#include "ImageWriters.h"
#include "LocationFilesWriter.h"

namespace TeskTools {

struct LocationFixture {
  std::vector<ObjectRecord> mRecords;
  std::vector<BlockImage> mImages;  // background, then one per record
};

// theItemsPerGroup ordinary items in each difficulty group, kinds 1.. in group order; the
// second item of group 0 has two parts and the second of group 1 three; then three coins and
// one repel, reveal and runestone pickup, a cover and a placeholder. Render orders follow the
// file order. The background is theWidth x theHeight; objects are theObjectSize square with a
// clear one-pixel margin.
LocationFixture StandardLocation(int theId, int theItemsPerGroup = 10, int theWidth = 8, int theHeight = 6,
                                 int theObjectSize = 4);

// The ordinary kind of item i (0-based) of group g.
inline int FixtureKind(int theItemsPerGroup, int theGroup, int theItem) {
  return 1 + theGroup * theItemsPerGroup + theItem;
}

// builddata/lNNobjs.dat and builddata/lNNblock.tgab under theDir (made when missing).
bool WriteLocationFiles(const std::string& theDir, int theId, const LocationFixture& theLocation);

// One text entry per record not marked 'X', named theprefix + the record's name, with the
// record's kind.
std::vector<ObjectTextEntry> TextEntriesFor(const std::vector<ObjectRecord>& theRecords,
                                            const std::u16string& thePrefix);

}  // namespace TeskTools
