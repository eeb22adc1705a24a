#include "LocationBuilder.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "EmojiRenderer.h"
#include "InterfaceArt.h"
#include "Props.h"
#include "Quantizer.h"
#include "Scenes.h"

namespace GameAssets {

namespace {

struct Piece {
  std::string mName;
  uint8_t mGroup = 0;
  uint8_t mKind = 0;
  std::unique_ptr<Canvas> mPicture;
  int mX = 0, mY = 0;
};

struct Box {
  int x, y, w, h;
};

int Overlap(const Box& a, const Box& b) {
  const int w = std::min(a.x + a.w, b.x + b.w) - std::max(a.x, b.x);
  const int h = std::min(a.y + a.h, b.y + b.h) - std::max(a.y, b.y);
  return w > 0 && h > 0 ? w * h : 0;
}

const int kGroupSize[3] = {54, 45, 37};

}  // namespace

bool BuildLocation(int theId, BuiltLocation* theOut, std::string* theError) {
  const LocationDef& aDef = LocationById(theId);
  EmojiRenderer& anEmoji = EmojiRenderer::Get();
  if (!anEmoji.IsReady()) {
    *theError = "the colour emoji font cannot be read";
    return false;
  }
  Random r(static_cast<uint32_t>(theId * 7919));

  auto Emoji = [&](uint32_t theCode, int theSize, double theRotate) -> std::unique_ptr<Canvas> {
    EmojiLook aLook;
    aLook.mSize = theSize;
    aLook.mLight = aDef.mLight;
    aLook.mRotate = theRotate;
    aLook.mMirror = r.Unit() < 0.3;
    return anEmoji.Render(theCode, aLook);
  };

  std::vector<Piece> aPieces;
  uint8_t aKind = 1;
  for (const ItemDef& anItem : aDef.mItems) {
    for (int k = 0; k < anItem.mParts; ++k) {
      Piece p;
      p.mName = anItem.mName;
      p.mGroup = static_cast<uint8_t>(anItem.mGroup);
      p.mKind = aKind;
      const double aTilt = anItem.mGroup == 0 ? 0.0 : r.Range(-0.35, 0.35) * anItem.mGroup / 2.0;
      p.mPicture = Emoji(anItem.mCode, static_cast<int>(kGroupSize[anItem.mGroup] * r.Range(0.9, 1.1)), aTilt);
      if (!p.mPicture) {
        *theError = "no emoji picture for " + std::string(anItem.mName);
        return false;
      }
      aPieces.push_back(std::move(p));
    }
    ++aKind;
  }
  auto Special = [&](const char* theName, uint8_t theKind, std::unique_ptr<Canvas> thePicture) {
    Piece p;
    p.mName = theName;
    p.mKind = theKind;
    p.mPicture = std::move(thePicture);
    aPieces.push_back(std::move(p));
  };
  for (int k = 0; k < 3; ++k) Special("Coin", 'V', Emoji(0x1FA99, 30, r.Range(-0.3, 0.3)));
  Special("Spell Scroll", 'U', Emoji(0x1F4DC, 40, 0.1));
  Special("Seeing Charm", 'Z', Emoji(0x1F9FF, 36, 0));
  {
    auto aStone = Runestone(34, theId);
    auto aPadded = std::make_unique<Canvas>(aStone->Width() + 6, aStone->Height() + 6);
    aPadded->Paste(*aStone, 3, 3);
    Special("Runestone", 'Y', std::move(aPadded));
  }
  Special("Pebble", 'W', Emoji(0x1FAA8, 16, 0));
  const size_t aCoverStart = aPieces.size();
  for (uint32_t aCode : aDef.mCovers) Special("Scenery", 'X', Emoji(aCode, 104, 0));
  for (const Piece& p : aPieces)
    if (!p.mPicture) {
      *theError = "no emoji picture for " + p.mName;
      return false;
    }

  // Place everything but the covers where little overlaps, then each cover over
  // something, retrying until the checks pass.
  std::vector<Box> aPlaced;
  // Half the things rest on the painting's shelves and tables, the others lie about.
  auto Sample = [&](int w, int h) -> Box {
    std::vector<const Surface*> aFits;
    for (const Surface& s : aDef.mSurfaces)
      if (s.mX1 - s.mX0 >= w && s.mY - h + 4 >= 0) aFits.push_back(&s);
    if (!aFits.empty() && r.Unit() < 0.5) {
      const Surface& s = *aFits[static_cast<size_t>(r.Int(static_cast<int>(aFits.size())))];
      return {s.mX0 + r.Int(s.mX1 - s.mX0 - w + 1), s.mY - h + 4, w, h};
    }
    return {r.Int(k_sceneWidth - w - 8) + 4, aDef.mTop + r.Int(k_sceneHeight - h - 6 - aDef.mTop), w, h};
  };
  for (size_t i = 0; i < aCoverStart; ++i) {
    Piece& p = aPieces[i];
    const int w = p.mPicture->Width(), h = p.mPicture->Height();
    Box aBest{0, 0, w, h};
    int aBestScore = -1;
    for (int aTry = 0; aTry < 400; ++aTry) {
      const Box b = Sample(w, h);
      int aScore = 0;
      for (const Box& o : aPlaced) aScore += Overlap(b, o);
      if (aBestScore < 0 || aScore < aBestScore) {
        aBestScore = aScore;
        aBest = b;
      }
      if (aScore == 0) break;
    }
    p.mX = aBest.x;
    p.mY = aBest.y;
    aPlaced.push_back(aBest);
  }
  // Each cover stands on the ground in front of something low in the scene.
  std::vector<size_t> aLow;
  for (size_t i = 0; i < aCoverStart; ++i)
    if (aPlaced[i].y + aPlaced[i].h > 400) aLow.push_back(i);
  if (aLow.empty()) aLow.push_back(0);
  for (size_t i = aCoverStart; i < aPieces.size(); ++i) {
    Piece& p = aPieces[i];
    const Box& aUnder = aPlaced[aLow[static_cast<size_t>(r.Int(static_cast<int>(aLow.size())))]];
    p.mX = std::clamp(aUnder.x + aUnder.w / 2 + (i % 2 ? 4 : -p.mPicture->Width() + 8), 0,
                      k_sceneWidth - p.mPicture->Width());
    p.mY = std::clamp(aUnder.y + aUnder.h + 16 - p.mPicture->Height(), 0, k_sceneHeight - p.mPicture->Height());
  }

  // Background and pictures in the block's palettised form.
  theOut->mBackground = SceneBackgrounds()[static_cast<size_t>(theId - 1)];
  LocationFiles& f = theOut->mFiles;
  f = LocationFiles();
  f.mId = theId;
  f.mImages.push_back(Quantize(theOut->mBackground, k_sceneWidth, k_sceneHeight));

  for (size_t i = 0; i < aPieces.size(); ++i) {
    const Piece& p = aPieces[i];
    TeskTools::ObjectRecord aRecord;
    aRecord.mName = p.mName;
    aRecord.mGroup = p.mGroup;
    aRecord.mKind = p.mKind;
    aRecord.mX = static_cast<uint16_t>(p.mX);
    aRecord.mY = static_cast<uint16_t>(p.mY);
    f.mRecords.push_back(aRecord);
    f.mImages.push_back(Quantize(p.mPicture->Pixels(), p.mPicture->Width(), p.mPicture->Height()));
  }
  // Render orders by depth: lower on the screen is nearer, covers nearest of all.
  auto Reorder = [&] {
    std::vector<size_t> anOrder(f.mRecords.size());
    for (size_t i = 0; i < anOrder.size(); ++i) anOrder[i] = i;
    std::stable_sort(anOrder.begin(), anOrder.end(), [&](size_t a, size_t b) {
      const bool ca = f.mRecords[a].mKind == 'X', cb = f.mRecords[b].mKind == 'X';
      if (ca != cb) return cb;
      return f.mRecords[a].mY + f.mImages[a + 1].mHeight < f.mRecords[b].mY + f.mImages[b + 1].mHeight;
    });
    for (size_t k = 0; k < anOrder.size(); ++k) f.mRecords[anOrder[k]].mRenderOrder = static_cast<uint8_t>(k);
  };
  Reorder();
  // Whatever is hidden too much by what is drawn after it moves somewhere else.
  for (int aTry = 0; aTry < 300; ++aTry) {
    size_t aBad = f.mRecords.size();
    for (size_t i = 0; i < f.mRecords.size() && aBad == f.mRecords.size(); ++i)
      if (f.mRecords[i].mKind != 'W' && f.mRecords[i].mKind != 'X' && CoveredShare(f, i) > 0.3) aBad = i;
    if (aBad == f.mRecords.size()) break;
    const TeskTools::BlockImage& anImage = f.mImages[aBad + 1];
    const Box b = Sample(anImage.mWidth, anImage.mHeight);
    f.mRecords[aBad].mX = static_cast<uint16_t>(b.x);
    f.mRecords[aBad].mY = static_cast<uint16_t>(b.y);
    Reorder();
  }
  theOut->mTexts.clear();
  for (const TeskTools::ObjectRecord& aRecord : f.mRecords) {
    if (aRecord.mKind == 'X') continue;
    TeskTools::ObjectTextEntry anEntry;
    anEntry.mName = std::u16string(aRecord.mName.begin(), aRecord.mName.end());
    anEntry.mName.push_back(u'\0');
    anEntry.mKind = aRecord.mKind;
    theOut->mTexts.push_back(anEntry);
  }
  const std::string aProblem = CheckLocation(f);
  if (!aProblem.empty()) {
    *theError = aProblem;
    return false;
  }
  return true;
}

}  // namespace GameAssets
