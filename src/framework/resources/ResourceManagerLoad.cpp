// The loading half of the resource manager: groups loaded whole or step by step, images
// finished (alpha image or grid, palette, surface and texture hints, animation, purging),
// sounds handed to the sound manager, fonts built, lookups by id, groups released.
#include <memory>

#include "core/AutoCrit.h"
#include "display/DDImage.h"
#include "graphics/Font.h"
#include "graphics/Image.h"
#include "graphics/SysFont.h"
#include "resources/ImageFont.h"
#include "resources/ImageLib.h"
#include "resources/ResourceHost.h"
#include "resources/ResourceManager.h"
#include "sound/SoundManager.h"

namespace Tesk {

namespace {

typedef ResourceManager::BaseRes BaseRes;

// The alpha merges read one byte of each alpha pixel: the lowest, blue (alpha images are grey).
inline uint32_t WithAlpha(uint32_t thePixel, uint32_t theAlphaPixel) {
  return (thePixel & 0x00FFFFFF) | (theAlphaPixel << 24);
}

// The decoded alpha file as 32-bit pixels (palettised files spread out), or null.
std::unique_ptr<ImageLib::Image> ReadAlphaFile(const std::string& thePath) {
  std::unique_ptr<ImageLib::Image> anImage(ImageLib::GetImage(thePath, true));
  if (anImage) ImageLib::ExpandPalette(anImage.get());
  if (anImage && anImage->mBits == nullptr) anImage.reset();
  return anImage;
}

}  // namespace

void ResourceManager::ImageRes::DeleteResource() { mImage.Release(); }

void ResourceManager::SoundRes::DeleteResource() {
  SoundManager* aManager = mHost != nullptr ? mHost->GetSoundManager() : nullptr;
  if (mSoundId != -1 && aManager != nullptr) aManager->ReleaseSound(mSoundId);
  mSoundId = -1;
}

void ResourceManager::FontRes::DeleteResource() {
  delete mFont;
  mFont = nullptr;
  delete mImage;
  mImage = nullptr;
}

bool ResourceManager::IsLoaded(BaseRes* theRes) {
  switch (theRes->mType) {
    case BaseRes::ResType_Image:
      return static_cast<DDImage*>(static_cast<ImageRes*>(theRes)->mImage) != nullptr;
    case BaseRes::ResType_Sound:
      return static_cast<SoundRes*>(theRes)->mSoundId != -1;
    case BaseRes::ResType_Font:
      return static_cast<FontRes*>(theRes)->mFont != nullptr;
  }
  return false;
}

ResourceManager::Walk ResourceManager::SaveWalk() const {
  // An iterator of a walk never started is singular: it is not copied.
  return Walk{mCurResGroup, mCurResGroupList, mWalkStarted ? mCurResGroupListItr : ResList::iterator(),
              mWalkStarted};
}

void ResourceManager::RestoreWalk(const Walk& theWalk) {
  mCurResGroup = theWalk.mGroup;
  mCurResGroupList = theWalk.mList;
  mCurResGroupListItr = theWalk.mItr;
  mWalkStarted = theWalk.mStarted;
}

void ResourceManager::StartLoadResources(const std::string& theGroup) {
  AutoCrit aLock(mCritSect);
  mWalkStarted = true;
  mError.clear();
  mHasFailed = false;
  mCurResGroup = theGroup;
  mCurResGroupList = &mResGroupMap[theGroup];
  mCurResGroupListItr = mCurResGroupList->begin();
}

bool ResourceManager::LoadNextResource() {
  AutoCrit aLock(mCritSect);
  if (mHasFailed || !mWalkStarted || mCurResGroupList == nullptr) return false;
  while (mCurResGroupListItr != mCurResGroupList->end()) {
    BaseRes* aRes = *mCurResGroupListItr++;
    if (aRes->mFromProgram || IsLoaded(aRes)) continue;
    switch (aRes->mType) {
      case BaseRes::ResType_Image:
        return DoLoadImage(static_cast<ImageRes*>(aRes));
      case BaseRes::ResType_Sound:
        return DoLoadSound(static_cast<SoundRes*>(aRes));
      case BaseRes::ResType_Font:
        return DoLoadFont(static_cast<FontRes*>(aRes));
    }
  }
  return false;
}

bool ResourceManager::LoadResources(const std::string& theGroup) {
  AutoCrit aLock(mCritSect);
  // A group loaded whole on the main thread must not move the loading thread's walk through
  // its own group: the walk is put back as it was.
  const Walk aWalk = SaveWalk();

  mError.clear();
  mHasFailed = false;
  StartLoadResources(theGroup);
  while (LoadNextResource()) {
  }
  const bool aLoaded = !mHasFailed;
  if (aLoaded) mLoadedGroups.insert(theGroup);

  RestoreWalk(aWalk);
  return aLoaded;
}

void ResourceManager::ResourceLoadedHook(BaseRes*) {}

bool ResourceManager::DoLoadImage(ImageRes* theRes) {
  AutoCrit aLock(mCritSect);
  bool is8Bit = false;
  bool isNew = false;
  ImageLib::gAlphaComposeColor = theRes->mAlphaColor;
  SharedImageRef aRef = mApp != nullptr
                            ? mApp->GetSharedImage(theRes->mPath, is8Bit, theRes->mVariant, &isNew)
                            : SharedImageRef();
  ImageLib::gAlphaComposeColor = 0xFFFFFF;

  DDImage* anImage = aRef;
  if (anImage == nullptr) return Fail(StrFormat("Failed to load image: %s", theRes->mPath.c_str()));

  // An image shared with an earlier resource keeps the alpha it got then.
  if (isNew) {
    if (!theRes->mAlphaImage.empty() && !LoadAlphaImage(theRes, anImage)) return false;
    if (!theRes->mAlphaGridImage.empty() && !LoadAlphaGridImage(theRes, anImage)) return false;
  }

  anImage->CommitBits();
  theRes->mImage = aRef;
  anImage->mPurgeBits = theRes->mPurgeBits;

  if (theRes->mDDSurface) {
    anImage->CommitBits();
    if (!anImage->mHasPartialAlpha) {
      anImage->mWantSurface = true;
      anImage->mPurgeBits = true;
    }
  }

  if (theRes->mPalletize) {
    if (anImage->mSurface == nullptr)
      anImage->Palletize();
    else
      anImage->mPaletteWanted = true;
  }

  if (theRes->mA4R4G4B4) anImage->mD3DFlags |= TextureFlag_A4R4G4B4;
  if (theRes->mA8R8G8B8) anImage->mD3DFlags |= TextureFlag_A8R8G8B8;
  if (theRes->mMinimizeSubdivisions) anImage->mD3DFlags |= TextureFlag_MinSubdivide;

  if (theRes->mAnimInfo.mAnimType != AnimType_None) anImage->mAnimInfo.reset(new AnimInfo(theRes->mAnimInfo));
  anImage->mNumRows = theRes->mRows;
  anImage->mNumCols = theRes->mCols;

  if (anImage->mPurgeBits) anImage->PurgeBits();

  ResourceLoadedHook(theRes);
  return true;
}

bool ResourceManager::LoadAlphaImage(ImageRes* theRes, DDImage* theImage) {
  AutoCrit aLock(mCritSect);
  std::unique_ptr<ImageLib::Image> anAlpha = ReadAlphaFile(theRes->mAlphaImage);
  if (!anAlpha) return Fail(StrFormat("Failed to load image: %s", theRes->mAlphaImage.c_str()));
  if (anAlpha->mWidth != theImage->mWidth || anAlpha->mHeight != theImage->mHeight)
    return Fail(StrFormat("AlphaImage size mismatch between %s and %s", theRes->mPath.c_str(),
                          theRes->mAlphaImage.c_str()));

  // GetBits spreads out a palettised image, so 8-bit sources merge like 32-bit ones.
  uint32_t* aBits = theImage->GetBits();
  if (aBits == nullptr) return Fail(StrFormat("Failed to load image: %s", theRes->mPath.c_str()));
  const uint32_t* anAlphaBits = anAlpha->mBits;
  const size_t aCount = static_cast<size_t>(theImage->mWidth) * theImage->mHeight;
  for (size_t i = 0; i < aCount; ++i) aBits[i] = WithAlpha(aBits[i], anAlphaBits[i]);
  theImage->BitsChanged();
  return true;
}

bool ResourceManager::LoadAlphaGridImage(ImageRes* theRes, DDImage* theImage) {
  AutoCrit aLock(mCritSect);
  std::unique_ptr<ImageLib::Image> aGrid = ReadAlphaFile(theRes->mAlphaGridImage);
  if (!aGrid) return Fail(StrFormat("Failed to load image: %s", theRes->mAlphaGridImage.c_str()));

  // Rows or columns of 0 or less cannot cut the image into cels: no grid fits.
  const int aCelWidth = theRes->mCols > 0 ? theImage->mWidth / theRes->mCols : -1;
  const int aCelHeight = theRes->mRows > 0 ? theImage->mHeight / theRes->mRows : -1;
  if (aGrid->mWidth != aCelWidth || aGrid->mHeight != aCelHeight)
    return Fail(StrFormat("GridAlphaImage size mismatch between %s and %s", theRes->mPath.c_str(),
                          theRes->mAlphaGridImage.c_str()));

  uint32_t* aBits = theImage->GetBits();
  if (aBits == nullptr) return Fail(StrFormat("Failed to load image: %s", theRes->mPath.c_str()));
  const int aWidth = theImage->mWidth;
  for (int aRow = 0; aRow < theRes->mRows; ++aRow) {
    for (int aCol = 0; aCol < theRes->mCols; ++aCol) {
      for (int y = 0; y < aCelHeight; ++y) {
        uint32_t* aDest = aBits + static_cast<size_t>(aRow * aCelHeight + y) * aWidth + aCol * aCelWidth;
        const uint32_t* aSrc = aGrid->mBits + static_cast<size_t>(y) * aCelWidth;
        for (int x = 0; x < aCelWidth; ++x) aDest[x] = WithAlpha(aDest[x], aSrc[x]);
      }
    }
  }
  theImage->BitsChanged();
  return true;
}

bool ResourceManager::DoLoadSound(SoundRes* theRes) {
  AutoCrit aLock(mCritSect);
  SoundManager* aManager = mApp != nullptr ? mApp->GetSoundManager() : nullptr;
  // Without a sound manager nothing can hold the sound.
  if (aManager == nullptr) return Fail(StrFormat("Failed to load sound: %s", theRes->mPath.c_str()));

  const int anId = aManager->GetFreeSoundId();
  if (anId < 0) return Fail("Out of free sound ids");
  if (!aManager->LoadSound(anId, theRes->mPath))
    return Fail(StrFormat("Failed to load sound: %s", theRes->mPath.c_str()));
  if (theRes->mVolume >= 0) aManager->SetBaseVolume(anId, theRes->mVolume);
  if (theRes->mPanning != 0) aManager->SetBasePan(anId, theRes->mPanning);

  theRes->mSoundId = anId;
  theRes->mHost = mApp;
  ResourceLoadedHook(theRes);
  return true;
}

bool ResourceManager::DoLoadFont(FontRes* theRes) {
  AutoCrit aLock(mCritSect);
  Font* aFont = nullptr;
  if (theRes->mSysFont) {
    SysFont* aSysFont =
        new SysFont(theRes->mPath, theRes->mSize, theRes->mBold, theRes->mItalic, theRes->mUnderline);
    aSysFont->mDrawShadow = theRes->mShadow;
    aSysFont->mSimulateBold = false;
    aFont = aSysFont;
  } else if (!theRes->mImagePath.empty()) {
    DDImage* anImage = mApp != nullptr ? mApp->GetImage(theRes->mImagePath, true) : nullptr;
    if (anImage == nullptr) return Fail(StrFormat("Failed to load image: %s", theRes->mImagePath.c_str()));
    delete theRes->mImage;
    theRes->mImage = anImage;
    aFont = new ImageFont(anImage, theRes->mPath);
  } else if (theRes->mPath.compare(0, 5, "!ref:") == 0) {
    const std::string anId = theRes->mPath.substr(5);
    Font* aRefFont = GetFont(anId);
    if (aRefFont == nullptr) return Fail("Ref font not found: " + anId);
    aFont = aRefFont->Duplicate();
  } else {
    aFont = new ImageFont(mApp != nullptr ? mApp->GetFontHost() : nullptr, theRes->mPath);
  }

  if (ImageFont* anImageFont = dynamic_cast<ImageFont*>(aFont)) {
    if (anImageFont->mFontData == nullptr || !anImageFont->mFontData->mInitialized) {
      delete aFont;
      return Fail(StrFormat("Failed to load font: %s", theRes->mPath.c_str()));
    }
    if (!theRes->mTags.empty()) {
      // No length limit on the tags text: it is split as a whole.
      const char* const kSeparators = ", \r\n\t";
      size_t aStart = theRes->mTags.find_first_not_of(kSeparators);
      while (aStart != std::string::npos) {
        const size_t anEnd = theRes->mTags.find_first_of(kSeparators, aStart);
        anImageFont->AddTag(theRes->mTags.substr(aStart, anEnd - aStart));
        aStart = theRes->mTags.find_first_not_of(kSeparators, anEnd);
      }
      anImageFont->Prepare();
    }
  }

  theRes->mFont = aFont;
  ResourceLoadedHook(theRes);
  return true;
}

SharedImageRef ResourceManager::GetImageThrow(const std::string& theId) {
  AutoCrit aLock(mCritSect);
  auto anItr = mImageMap.find(theId);
  if (anItr != mImageMap.end() && IsLoaded(anItr->second))
    return static_cast<ImageRes*>(anItr->second)->mImage;
  Fail(StrFormat("Image resource not found: %s", theId.c_str()));
  throw ResourceManagerException(mError);
}

int ResourceManager::GetSoundThrow(const std::string& theId) {
  AutoCrit aLock(mCritSect);
  auto anItr = mSoundMap.find(theId);
  if (anItr != mSoundMap.end() && IsLoaded(anItr->second))
    return static_cast<SoundRes*>(anItr->second)->mSoundId;
  Fail(StrFormat("Sound resource not found: %s", theId.c_str()));
  throw ResourceManagerException(mError);
}

Font* ResourceManager::GetFontThrow(const std::string& theId) {
  AutoCrit aLock(mCritSect);
  auto anItr = mFontMap.find(theId);
  if (anItr != mFontMap.end() && IsLoaded(anItr->second)) return static_cast<FontRes*>(anItr->second)->mFont;
  Fail(StrFormat("Font resource not found: %s", theId.c_str()));
  throw ResourceManagerException(mError);
}

Font* ResourceManager::GetFont(const std::string& theId) {
  AutoCrit aLock(mCritSect);
  auto anItr = mFontMap.find(theId);
  return anItr == mFontMap.end() ? nullptr : static_cast<FontRes*>(anItr->second)->mFont;
}

void ResourceManager::DeleteResources(ResMap& theMap, const std::string& theGroup) {
  AutoCrit aLock(mCritSect);
  for (auto& anEntry : theMap)
    if (theGroup.empty() || anEntry.second->mResGroup == theGroup) anEntry.second->DeleteResource();
}

void ResourceManager::DeleteResources(const std::string& theGroup) {
  AutoCrit aLock(mCritSect);
  DeleteResources(mImageMap, theGroup);
  DeleteResources(mSoundMap, theGroup);
  DeleteResources(mFontMap, theGroup);
  mLoadedGroups.erase(theGroup);
}

int ResourceManager::GetNumResources(const std::string& theGroup, ResMap& theMap) {
  AutoCrit aLock(mCritSect);
  if (theGroup.empty()) return static_cast<int>(theMap.size());
  int aCount = 0;
  for (auto& anEntry : theMap)
    if (anEntry.second->mResGroup == theGroup && !anEntry.second->mFromProgram) ++aCount;
  return aCount;
}

int ResourceManager::GetNumImages(const std::string& theGroup) {
  return GetNumResources(theGroup, mImageMap);
}
int ResourceManager::GetNumSounds(const std::string& theGroup) {
  return GetNumResources(theGroup, mSoundMap);
}
int ResourceManager::GetNumFonts(const std::string& theGroup) { return GetNumResources(theGroup, mFontMap); }

int ResourceManager::GetNumResources(const std::string& theGroup) {
  AutoCrit aLock(mCritSect);
  return GetNumImages(theGroup) + GetNumSounds(theGroup) + GetNumFonts(theGroup);
}

}  // namespace Tesk
