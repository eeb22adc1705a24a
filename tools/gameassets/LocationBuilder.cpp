#include "LocationBuilder.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>

#include "EmojiRenderer.h"
#include "ObjectMeasure.h"
#include "ObjectPlacer.h"
#include "Props.h"
#include "Quantizer.h"
#include "Scenes.h"

namespace GameAssets {

namespace {

constexpr int k_w = k_sceneWidth, k_h = k_sceneHeight;
// Longest side of a listed thing by difficulty group, before its own size and the depth.
const double kGroupSize[3] = {46, 38, 32};

double Luma(const Rgb& c) { return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b; }

// The picture of a placed piece, in the light of its place.
std::unique_ptr<Canvas> Picture(const LocationDef& theDef, const HiddenPiece& p, const Rgb& thePlace,
                                double theTint, double theLift, int* theBodyX, int* theBodyY) {
  if (p.mCode == 0) {
    const int w = static_cast<int>(std::lround(p.mBody.w));
    auto aStone = Runestone(w, theDef.mId);
    auto aPadded = std::make_unique<Canvas>(aStone->Width() + 6, aStone->Height() + 6);
    aPadded->Paste(*aStone, 3, 3);
    *theBodyX = 3;
    *theBodyY = 3;
    return aPadded;
  }
  EmojiLook aLook;
  aLook.mSize = static_cast<int>(std::lround(p.mSize));
  aLook.mRotate = p.mRotate;
  aLook.mMirror = p.mMirror;
  // Dark places take the light down with them; the place's own colour draws the thing in.
  const double aPlace = Luma(thePlace);
  const double aBright = std::clamp(0.42 + 0.9 * std::sqrt(aPlace), 0.5, 1.0);
  aLook.mLight = Scale(theDef.mLight, aBright * theLift);
  aLook.mSaturation = 0.7 - 0.2 * theDef.mDusk;
  aLook.mTint = thePlace;
  aLook.mTintAmount = theTint;
  aLook.mTopLight = 0.22;
  aLook.mShadow = p.mZone->mRest == k_onWall;
  aLook.mContactShadow = p.mZone->mRest != k_onWall;
  aLook.mShadowStrength = 0.6 + 0.6 * (1 - aPlace);
  EmojiBody aBody;
  auto aPicture = EmojiRenderer::Get().Render(p.mCode, aLook, &aBody);
  *theBodyX = aBody.mX;
  *theBodyY = aBody.mY;
  return aPicture;
}

constexpr int k_attempts = 6;
constexpr int k_moves = 24;

// Places every piece: what share of each the scenery should cover, then big things first,
// while the scene has room for them. False with the piece that found no place.
bool Arrange(const LocationDef& theDef, const ObjectPlacer& thePlacer, Random& r,
             std::vector<HiddenPiece>& thePieces, std::string* theProblem) {
  for (HiddenPiece& p : thePieces) {
    p.mPlaced = false;
    const double u = r.Unit();
    p.mTarget = p.mRole != PieceRole::Listed ? (u < 0.3 ? 0.12 : 0.0)
                                             : (u < 0.7 ? r.Range(0.15, 0.34) : r.Range(0.0, 0.06));
  }
  // Things with few places to go come first (a mushroom grows only on the ground), big before small.
  auto Room = [&](const HiddenPiece& p) {
    double aRoom = 0;
    for (const Zone& z : theDef.mZones)
      if (z.mRest & p.mTraits.mRests) aRoom += (z.mX1 - z.mX0 + 10.0) * (z.mY1 - z.mY0 + 40.0);
    return aRoom;
  };
  std::vector<size_t> anOrder(thePieces.size());
  std::vector<double> aKey(thePieces.size());
  for (size_t i = 0; i < anOrder.size(); ++i) {
    anOrder[i] = i;
    aKey[i] = thePieces[i].mRole == PieceRole::Placeholder
                  ? 1e12
                  : Room(thePieces[i]) / (thePieces[i].mBaseSize * thePieces[i].mBaseSize);
  }
  std::stable_sort(anOrder.begin(), anOrder.end(), [&](size_t a, size_t b) { return aKey[a] < aKey[b]; });
  // A piece that finds no room moves a placed one out of its way, which then looks for
  // room again, a few times over.
  std::vector<size_t> aQueue(anOrder.rbegin(), anOrder.rend());
  int aMoves = 0;
  while (!aQueue.empty()) {
    HiddenPiece& p = thePieces[aQueue.back()];
    aQueue.pop_back();
    if (p.mRole == PieceRole::Placeholder || thePlacer.Place(p, thePieces, r)) continue;
    std::vector<size_t> aPlaced;
    for (size_t i = 0; i < thePieces.size(); ++i)
      if (thePieces[i].mPlaced && thePieces[i].mRole != PieceRole::Placeholder) aPlaced.push_back(i);
    if (++aMoves > k_moves || aPlaced.empty()) {
      *theProblem = "no place for " + p.mName;
      return false;
    }
    const size_t aMoved = aPlaced[static_cast<size_t>(r.Int(static_cast<int>(aPlaced.size())))];
    thePieces[aMoved].mPlaced = false;
    aQueue.push_back(aMoved);
    aQueue.push_back(static_cast<size_t>(&p - thePieces.data()));
  }
  return true;
}

// Each picture in the light of its place, drawn in until it neither shouts nor vanishes.
bool Render(const LocationDef& theDef, const ObjectPlacer& thePlacer, std::vector<HiddenPiece>& thePieces,
            std::string* theProblem) {
  const double aLow = k_minContrast + 4, aHigh = k_maxContrast - 10;
  for (HiddenPiece& p : thePieces) {
    if (p.mRole == PieceRole::Placeholder) {
      // Never drawn: it needs only a place in the scene.
      p.mPicture = EmojiRenderer::Get().Render(p.mCode, EmojiLook{16, {1, 1, 1}, 0.85, 0, false, true});
      p.mX = 20;
      p.mY = k_h - 40;
      if (!p.mPicture) {
        *theProblem = "no emoji picture for the placeholder";
        return false;
      }
      continue;
    }
    const Rgb aPlace = thePlacer.PlaceColour(p.mSolid);
    double aTint = 0.18 + 0.2 * theDef.mDusk, aLift = 1.0;
    for (int aStep = 0; aStep < 10; ++aStep) {
      int bx = 0, by = 0;
      p.mPicture = Picture(theDef, p, aPlace, aTint, aLift, &bx, &by);
      if (!p.mPicture) {
        *theProblem = "no emoji picture for " + p.mName;
        return false;
      }
      p.mX = std::clamp(static_cast<int>(std::lround(p.mBody.x)) - bx, 0, k_w - p.mPicture->Width());
      p.mY = std::clamp(static_cast<int>(std::lround(p.mBody.y)) - by, 0, k_h - p.mPicture->Height());
      if (p.mCode == 0) break;
      const double aContrast = thePlacer.Contrast(p);
      if (aContrast > aHigh && aTint < 0.75) {
        aTint += 0.08;
      } else if (aContrast < aLow && aTint > 0.02) {
        aTint = std::max(0.0, aTint - 0.1);
      } else if (aContrast < aLow && aLift < 1.8) {
        aLift += 0.15;  // too like its place even untinted: a little more light on it
      } else {
        break;
      }
    }
  }
  return true;
}

// The files: background, then the pieces and the scenery in front, in drawing order by depth.
void WriteFiles(int theId, const SceneArt& theArt, const std::vector<TeskTools::BlockImage>& theSceneImages,
                const std::vector<HiddenPiece>& thePieces, BuiltLocation* theOut) {
  theOut->mBackground = theArt.mPixels;
  LocationFiles& f = theOut->mFiles;
  f = LocationFiles();
  f.mId = theId;
  f.mImages.push_back(theSceneImages[0]);
  std::vector<int> aDepths;
  for (const HiddenPiece& p : thePieces) {
    TeskTools::ObjectRecord aRecord;
    aRecord.mName = p.mName;
    aRecord.mGroup = p.mGroup;
    aRecord.mKind = p.mKind;
    aRecord.mX = static_cast<uint16_t>(p.mX);
    aRecord.mY = static_cast<uint16_t>(p.mY);
    f.mRecords.push_back(aRecord);
    f.mImages.push_back(Quantize(p.mPicture->Pixels(), p.mPicture->Width(), p.mPicture->Height()));
    aDepths.push_back(p.mRole == PieceRole::Placeholder ? -1 : p.mDepth * 2);
  }
  for (size_t i = 0; i < theArt.mCovers.size(); ++i) {
    const SceneCover& c = theArt.mCovers[i];
    TeskTools::ObjectRecord aRecord;
    aRecord.mName = "Scenery";
    aRecord.mKind = 'X';
    aRecord.mX = static_cast<uint16_t>(c.mX);
    aRecord.mY = static_cast<uint16_t>(c.mY);
    f.mRecords.push_back(aRecord);
    f.mImages.push_back(theSceneImages[i + 1]);
    // At one depth the scenery is in front.
    aDepths.push_back(c.mDepth * 2 + 1);
  }
  std::vector<size_t> aDrawOrder(f.mRecords.size());
  for (size_t i = 0; i < aDrawOrder.size(); ++i) aDrawOrder[i] = i;
  std::stable_sort(aDrawOrder.begin(), aDrawOrder.end(),
                   [&](size_t a, size_t b) { return aDepths[a] < aDepths[b]; });
  for (size_t k = 0; k < aDrawOrder.size(); ++k)
    f.mRecords[aDrawOrder[k]].mRenderOrder = static_cast<uint8_t>(k);

  theOut->mTexts.clear();
  for (const TeskTools::ObjectRecord& aRecord : f.mRecords) {
    if (aRecord.mKind == 'X') continue;
    TeskTools::ObjectTextEntry anEntry;
    anEntry.mName = std::u16string(aRecord.mName.begin(), aRecord.mName.end());
    anEntry.mName.push_back(u'\0');
    anEntry.mKind = aRecord.mKind;
    theOut->mTexts.push_back(anEntry);
  }
}

}  // namespace

bool BuildLocation(int theId, BuiltLocation* theOut, std::string* theError) {
  const LocationDef& aDef = LocationById(theId);
  EmojiRenderer& anEmoji = EmojiRenderer::Get();
  if (!anEmoji.IsReady()) {
    *theError = "the colour emoji font cannot be read";
    return false;
  }
  const SceneArt anArt = PaintSceneArt(theId);

  // The pieces: every part of every item, then the pickups and the placeholder.
  std::deque<PieceShape> aShapes;
  auto ShapeOf = [&](uint32_t theCode) -> const PieceShape* {
    aShapes.emplace_back();
    PieceShape& s = aShapes.back();
    if (!anEmoji.Shape(theCode, &s.mAlpha, &s.mWidth, &s.mHeight)) return nullptr;
    s.FindSolid();
    return &s;
  };
  std::vector<HiddenPiece> aPieces;
  aPieces.reserve(64);
  uint8_t aKind = 1;
  for (const ItemDef& anItem : aDef.mItems) {
    const PieceShape* aShape = ShapeOf(anItem.mCode);
    if (!aShape) {
      *theError = "no emoji picture for " + std::string(anItem.mName);
      return false;
    }
    for (int k = 0; k < anItem.mParts; ++k) {
      HiddenPiece p;
      p.mName = anItem.mName;
      p.mGroup = static_cast<uint8_t>(anItem.mGroup);
      p.mKind = aKind;
      p.mCode = anItem.mCode;
      p.mTraits = TraitsOf(anItem.mCode);
      p.mBaseSize = kGroupSize[anItem.mGroup] * p.mTraits.mSize;
      p.mShape = aShape;
      p.mMinSize = aShape->MinSize();
      aPieces.push_back(std::move(p));
    }
    ++aKind;
  }
  auto Pickup = [&](const char* theName, uint8_t theKind, uint32_t theCode, double theSize) -> bool {
    HiddenPiece p;
    p.mName = theName;
    p.mKind = theKind;
    p.mRole = PieceRole::Pickup;
    p.mCode = theCode;
    p.mBaseSize = theSize;
    if (theCode != 0) {
      p.mShape = ShapeOf(theCode);
      if (!p.mShape) return false;
    } else {
      aShapes.emplace_back();
      PieceShape& s = aShapes.back();
      s.mWidth = 34;
      s.mHeight = 42;
      s.mAlpha.assign(34 * 42, 255);
      s.FindSolid();
      p.mShape = &s;
    }
    aPieces.push_back(std::move(p));
    return true;
  };
  for (int k = 0; k < 3; ++k) Pickup("Coin", 'V', 0x1FA99, 26);
  if (!Pickup("Spell Scroll", 'U', 0x1F4DC, 34) || !Pickup("Seeing Charm", 'Z', 0x1F9FF, 30) ||
      !Pickup("Runestone", 'Y', 0, 36) || !Pickup("Pebble", 'W', 0x1FAA8, 16)) {
    *theError = "no emoji picture for a pickup";
    return false;
  }
  aPieces.back().mRole = PieceRole::Placeholder;

  // The painting and its pieces in front stay the same from attempt to attempt.
  std::vector<TeskTools::BlockImage> aSceneImages;
  aSceneImages.push_back(Quantize(anArt.mPixels, k_w, k_h));
  for (const SceneCover& c : anArt.mCovers) aSceneImages.push_back(Quantize(c.mPixels, c.mWidth, c.mHeight));
  const ObjectPlacer aPlacer(aDef, anArt);
  std::string aProblem;
  // A crowded scene can leave a late piece no room: the whole layout is tried again with another
  // stream of chances (still the same on every run).
  for (int anAttempt = 0; anAttempt < k_attempts; ++anAttempt) {
    Random r(static_cast<uint32_t>(theId * 7919 + anAttempt * 104729));
    if (!Arrange(aDef, aPlacer, r, aPieces, &aProblem)) {
      aProblem = "location " + std::to_string(theId) + ": " + aProblem;
      continue;
    }
    if (!Render(aDef, aPlacer, aPieces, &aProblem)) break;
    WriteFiles(theId, anArt, aSceneImages, aPieces, theOut);
    aProblem = CheckLocation(theOut->mFiles);
    if (aProblem.empty()) aProblem = CheckMeasures(theOut->mFiles, MeasureLocation(theOut->mFiles));
    if (aProblem.empty()) return true;
  }
  *theError = aProblem;
  return false;
}

}  // namespace GameAssets
