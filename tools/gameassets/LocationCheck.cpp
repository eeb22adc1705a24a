#include "LocationCheck.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace GameAssets {

namespace {

// Location ids by level, in visiting order (levels 1 to 12).
const int kLevelRows[12][6] = {{7, 3},          {6, 4},          {7, 2, 10},        {3, 11, 9},
                               {6, 4, 8},       {2, 10, 5, 12},  {7, 11, 9, 1},     {3, 2, 8, 5},
                               {4, 10, 11, 12, 1}, {7, 6, 9, 8, 5}, {3, 4, 2, 10, 12}, {6, 11, 9, 8, 5, 1}};
// Find-list picks per difficulty group by visit count.
const int kSpreads[4][3] = {{7, 3, 0}, {4, 5, 1}, {2, 4, 4}, {0, 4, 6}};

bool IsOrdinary(uint8_t k) { return k < 85 || k > 90; }
bool IsFindable(uint8_t k) { return k != 'W' && k != 'X'; }

std::string Fmt(const char* theFormat, ...) __attribute__((format(printf, 1, 2)));
std::string Fmt(const char* theFormat, ...) {
  char aBuf[512];
  va_list anArgs;
  va_start(anArgs, theFormat);
  std::vsnprintf(aBuf, sizeof(aBuf), theFormat, anArgs);
  va_end(anArgs);
  return aBuf;
}

uint32_t U32(const std::string& b, size_t o) {
  return static_cast<uint8_t>(b[o]) | static_cast<uint8_t>(b[o + 1]) << 8 | static_cast<uint8_t>(b[o + 2]) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[o + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t o) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[o]) | static_cast<uint8_t>(b[o + 1]) << 8);
}

bool Alpha(const TeskTools::BlockImage& theImage, int x, int y) {
  return (theImage.mPalette[theImage.mIndices[static_cast<size_t>(y) * theImage.mWidth + x]] >> 24) != 0;
}

std::string ReadFile(const std::string& thePath, bool* theOk) {
  std::ifstream aFile(thePath, std::ios::binary);
  *theOk = static_cast<bool>(aFile);
  std::ostringstream aStream;
  aStream << aFile.rdbuf();
  return aStream.str();
}

std::string CheckImage(const TeskTools::BlockImage& theImage) {
  if (theImage.mPalette.empty() || theImage.mPalette.size() > 256) return "has a palette of " + std::to_string(theImage.mPalette.size());
  if (theImage.mWidth <= 0 || theImage.mHeight <= 0) return "is empty";
  for (uint8_t k : theImage.mIndices)
    if (k >= theImage.mPalette.size()) return "uses a colour index beyond its palette";
  return "";
}

}  // namespace

std::vector<int> VisitCounts(int theId) {
  std::set<int> aCounts;
  int aSeen = 0;
  for (const auto& aRow : kLevelRows) {
    bool aHere = false;
    for (int k : aRow) aHere = aHere || k == theId;
    if (aHere) aCounts.insert(aSeen++);
  }
  return {aCounts.begin(), aCounts.end()};
}

double CoveredShare(const LocationFiles& theFiles, size_t theIndex) {
  const TeskTools::ObjectRecord& r = theFiles.mRecords[theIndex];
  const TeskTools::BlockImage& anImage = theFiles.mImages[theIndex + 1];
  long aVisible = 0, aCovered = 0;
  for (int y = 0; y < anImage.mHeight; ++y)
    for (int x = 0; x < anImage.mWidth; ++x) {
      if (!Alpha(anImage, x, y)) continue;
      ++aVisible;
      const int sx = r.mX + x, sy = r.mY + y;
      for (size_t j = 0; j < theFiles.mRecords.size(); ++j) {
        const TeskTools::ObjectRecord& o = theFiles.mRecords[j];
        if (j == theIndex || o.mKind == 'W' || o.mRenderOrder <= r.mRenderOrder) continue;
        const TeskTools::BlockImage& anOther = theFiles.mImages[j + 1];
        const int ox = sx - o.mX, oy = sy - o.mY;
        if (ox < 0 || oy < 0 || ox >= anOther.mWidth || oy >= anOther.mHeight) continue;
        if (Alpha(anOther, ox, oy)) {
          ++aCovered;
          break;
        }
      }
    }
  return aVisible == 0 ? 1.0 : static_cast<double>(aCovered) / aVisible;
}

std::string CheckLocation(const LocationFiles& f) {
  const std::string aWhere = Fmt("location %d: ", f.mId);
  const auto& aRecords = f.mRecords;
  if (aRecords.empty()) return aWhere + "no object records";
  if (aRecords.size() > 100) return aWhere + Fmt("%zu object records (at most 100)", aRecords.size());
  if (f.mImages.size() != aRecords.size() + 1)
    return aWhere + Fmt("%zu block images for %zu records (one more expected)", f.mImages.size(), aRecords.size());
  for (size_t i = 0; i < f.mImages.size(); ++i) {
    const std::string anError = CheckImage(f.mImages[i]);
    if (!anError.empty()) return aWhere + Fmt("block image %zu ", i) + anError;
  }
  if (f.mImages[0].mWidth != 660 || f.mImages[0].mHeight != 600)
    return aWhere + Fmt("background is %dx%d, not 660x600", f.mImages[0].mWidth, f.mImages[0].mHeight);

  std::map<char, int> aSpecial;
  std::set<int> anOrders;
  std::map<int, std::set<int>> aKindGroups;
  std::map<int, int> aKindParts;
  int aGroupObjects[3] = {0, 0, 0};
  for (size_t i = 0; i < aRecords.size(); ++i) {
    const TeskTools::ObjectRecord& r = aRecords[i];
    const std::string aRec = aWhere + Fmt("record %zu (%s): ", i, r.mName.c_str());
    if (r.mName.empty() || r.mName.size() > 19) return aRec + "name must have 1 to 19 characters";
    for (char ch : r.mName)
      if (ch < 32 || ch > 126) return aRec + "name is not printable ASCII";
    if (r.mGroup > 2) return aRec + Fmt("difficulty group %d", r.mGroup);
    if (r.mRenderOrder > 99) return aRec + Fmt("render order %d (at most 99)", r.mRenderOrder);
    if (!anOrders.insert(r.mRenderOrder).second) return aRec + Fmt("render order %d used twice", r.mRenderOrder);
    const TeskTools::BlockImage& anImage = f.mImages[i + 1];
    if (r.mX + 140 + anImage.mWidth > 800 || r.mY + anImage.mHeight > 600)
      return aRec + Fmt("picture at %d,%d of %dx%d leaves the scene", r.mX, r.mY, anImage.mWidth, anImage.mHeight);
    for (int x = 0; x < anImage.mWidth; ++x)
      if (Alpha(anImage, x, 0) || Alpha(anImage, x, anImage.mHeight - 1)) return aRec + "picture has no clear margin";
    for (int y = 0; y < anImage.mHeight; ++y)
      if (Alpha(anImage, 0, y) || Alpha(anImage, anImage.mWidth - 1, y)) return aRec + "picture has no clear margin";
    if (IsOrdinary(r.mKind)) {
      if (r.mKind >= 85) return aRec + Fmt("ordinary kind %d (below 85 expected)", r.mKind);
      aKindGroups[r.mKind].insert(r.mGroup);
      if (++aKindParts[r.mKind] > 12) return aRec + "more than 12 parts of one item";
      if (++aGroupObjects[r.mGroup] > 35) return aRec + "more than 35 ordinary objects in one group";
    } else {
      ++aSpecial[static_cast<char>(r.mKind)];
    }
  }
  const struct {
    char mKind;
    int mMin, mMax;
    const char* mWhat;
  } kSpecials[] = {{'V', 3, 3, "coins"}, {'U', 1, 1, "repel pickups"}, {'Z', 1, 1, "reveal pickups"},
                   {'Y', 1, 1, "runestones"}, {'X', 1, 100, "covers"},   {'W', 1, 100, "placeholders"}};
  for (const auto& s : kSpecials) {
    const int n = aSpecial[s.mKind];
    if (n < s.mMin || n > s.mMax) return aWhere + Fmt("%d %s", n, s.mWhat);
  }
  int aItems[3] = {0, 0, 0};
  for (const auto& [aKind, aGroups] : aKindGroups) {
    if (aGroups.size() != 1) return aWhere + Fmt("item of kind %d has parts in several groups", aKind);
    ++aItems[*aGroups.begin()];
  }
  for (int v : VisitCounts(f.mId))
    for (int g = 0; g < 3; ++g)
      if (aItems[g] < kSpreads[v][g])
        return aWhere + Fmt("group %d has %d items, visit %d lists %d", g, aItems[g], v, kSpreads[v][g]);
  for (size_t i = 0; i < aRecords.size(); ++i) {
    if (!IsFindable(aRecords[i].mKind)) continue;
    const double aShare = CoveredShare(f, i);
    if (aShare > k_maxCoveredShare)
      return aWhere + Fmt("record %zu (%s) is %.0f%% covered", i, aRecords[i].mName.c_str(), aShare * 100);
  }
  return "";
}

bool ReadBlock(const std::string& b, std::vector<TeskTools::BlockImage>* theImages, std::string* theError) {
  theImages->clear();
  if (b.size() < 4) {
    *theError = "image block shorter than its count";
    return false;
  }
  const uint32_t aCount = U32(b, 0);
  size_t o = 4;
  for (uint32_t i = 0; i < aCount; ++i) {
    if (b.size() < o + 8) {
      *theError = Fmt("image block ends in the header of image %u of %u", i, aCount);
      return false;
    }
    TeskTools::BlockImage anImage;
    const uint32_t n = U32(b, o);
    anImage.mWidth = U16(b, o + 4);
    anImage.mHeight = U16(b, o + 6);
    o += 8;
    const size_t aPixels = static_cast<size_t>(anImage.mWidth) * anImage.mHeight;
    if (n > 256 || b.size() < o + n * 4 + aPixels) {
      *theError = Fmt("image block ends inside image %u of %u", i, aCount);
      return false;
    }
    for (uint32_t k = 0; k < n; ++k) anImage.mPalette.push_back(U32(b, o + 4 * k));
    o += n * 4;
    anImage.mIndices.assign(b.begin() + o, b.begin() + o + aPixels);
    o += aPixels;
    theImages->push_back(std::move(anImage));
  }
  if (o != b.size()) {
    *theError = Fmt("image block has %zu bytes after its last image", b.size() - o);
    return false;
  }
  return true;
}

bool ReadObjectRecords(const std::string& b, std::vector<TeskTools::ObjectRecord>* theRecords, std::string* theError) {
  theRecords->clear();
  if (b.size() % TeskTools::k_objectRecordSize != 0) {
    *theError = Fmt("object file of %zu bytes is not whole records", b.size());
    return false;
  }
  for (size_t o = 0; o < b.size(); o += TeskTools::k_objectRecordSize) {
    TeskTools::ObjectRecord r;
    const size_t anEnd = b.find('\0', o);
    if (anEnd == std::string::npos || anEnd >= o + 20) {
      *theError = Fmt("object record %zu has no name terminator", o / TeskTools::k_objectRecordSize);
      return false;
    }
    r.mName = b.substr(o, anEnd - o);
    r.mGroup = static_cast<uint8_t>(b[o + 20]);
    r.mKind = static_cast<uint8_t>(b[o + 21]);
    r.mRenderOrder = static_cast<uint8_t>(b[o + 22]);
    r.mX = U16(b, o + 23);
    r.mY = U16(b, o + 25);
    theRecords->push_back(r);
  }
  return true;
}

std::string CheckLocationBytes(int theId, const std::string& theObjects, const std::string& theBlock) {
  LocationFiles f;
  f.mId = theId;
  std::string anError;
  if (!ReadObjectRecords(theObjects, &f.mRecords, &anError) || !ReadBlock(theBlock, &f.mImages, &anError))
    return Fmt("location %d: ", theId) + anError;
  return CheckLocation(f);
}

std::string CheckObjectText(const std::string& b, const std::vector<std::vector<TeskTools::ObjectRecord>>& theLocations) {
  if (b.size() < 48) return "object-text file shorter than its offset table";
  for (size_t l = 0; l < theLocations.size() && l < 12; ++l) {
    size_t o = U32(b, 4 * l);
    for (const TeskTools::ObjectRecord& r : theLocations[l]) {
      if (r.mKind == 'X') continue;
      if (b.size() < o + 2) return Fmt("object text of location %zu ends early", l + 1);
      const uint16_t n = U16(b, o);
      if (n > 34) return Fmt("object text of location %zu has a name of %u units", l + 1, n);
      if (b.size() < o + 2 + 2 * n + 1) return Fmt("object text of location %zu ends early", l + 1);
      std::string aName;
      for (uint16_t k = 0; k < n; ++k) {
        const uint16_t u = U16(b, o + 2 + 2 * k);
        if (u == 0) break;
        aName.push_back(static_cast<char>(u));
      }
      if (aName != r.mName) return Fmt("object text of location %zu names %s where the record has %s", l + 1, aName.c_str(), r.mName.c_str());
      if (static_cast<uint8_t>(b[o + 2 + 2 * n]) != r.mKind) return Fmt("object text of location %zu changes the kind of %s", l + 1, r.mName.c_str());
      o += 2 + 2 * n + 1;
    }
  }
  return "";
}

bool ReadLocation(const std::string& theDir, int theId, LocationFiles* theFiles, std::string* theError) {
  *theFiles = LocationFiles();
  theFiles->mId = theId;
  const std::string anObjectsName = Fmt("builddata/l%02dobjs.dat", theId);
  const std::string aBlockName = Fmt("builddata/l%02dblock.tgab", theId);
  bool anObjectsOk = false, aBlockOk = false;
  const std::string anObjects = ReadFile(theDir + "/" + anObjectsName, &anObjectsOk);
  const std::string aBlock = ReadFile(theDir + "/" + aBlockName, &aBlockOk);
  std::string anError;
  if (!anObjectsOk)
    anError = anObjectsName + " missing";
  else if (!aBlockOk)
    anError = aBlockName + " missing";
  else if (ReadObjectRecords(anObjects, &theFiles->mRecords, &anError) &&
           ReadBlock(aBlock, &theFiles->mImages, &anError))
    return true;
  *theError = Fmt("location %d: ", theId) + anError;
  return false;
}

bool ReadBlockFile(const std::string& theDir, const std::string& theName,
                   std::vector<TeskTools::BlockImage>* theImages, std::string* theError) {
  bool anOk = false;
  const std::string aBytes = ReadFile(theDir + "/" + theName, &anOk);
  if (!anOk) {
    *theError = theName + " missing";
    return false;
  }
  if (ReadBlock(aBytes, theImages, theError)) return true;
  *theError = theName + ": " + *theError;
  return false;
}

std::string CheckResourceFolder(const std::string& theDir) {
  std::vector<std::vector<TeskTools::ObjectRecord>> aAll;
  std::string anError;
  for (int anId = 1; anId <= 12; ++anId) {
    LocationFiles f;
    if (!ReadLocation(theDir, anId, &f, &anError)) return anError;
    anError = CheckLocation(f);
    if (!anError.empty()) return anError;
    aAll.push_back(f.mRecords);
  }
  bool anOk = false;
  const std::string aText = ReadFile(theDir + "/objtext.dat", &anOk);
  if (!anOk) return "objtext.dat missing";
  anError = CheckObjectText(aText, aAll);
  if (!anError.empty()) return anError;

  const struct {
    const char* mPath;
    int mMin, mMax;
  } kBlocks[] = {{"builddata/animsblock.tgab", 25, 25},    {"builddata/titleblock.tgab", 4, 10},
                 {"builddata/levelintroblock.tgab", 4, 4}, {"builddata/mapblock.tgab", 40, 40},
                 {"builddata/map2block.tgab", 12, 25},     {"builddata/minigameblock.tgab", 18, 18},
                 {"builddata/minigameblock2.tgab", 92, 92}};
  for (const auto& k : kBlocks) {
    std::vector<TeskTools::BlockImage> anImages;
    if (!ReadBlockFile(theDir, k.mPath, &anImages, &anError)) return anError;
    if (static_cast<int>(anImages.size()) < k.mMin || static_cast<int>(anImages.size()) > k.mMax)
      return Fmt("%s holds %zu images", k.mPath, anImages.size());
    for (size_t i = 0; i < anImages.size(); ++i) {
      anError = CheckImage(anImages[i]);
      if (!anError.empty()) return Fmt("%s image %zu ", k.mPath, i) + anError;
    }
  }
  return "";
}

}  // namespace GameAssets
