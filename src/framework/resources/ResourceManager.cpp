#include "resources/ResourceManager.h"

#include <algorithm>
#include <cwchar>

#include "core/AutoCrit.h"
#include "graphics/Font.h"
#include "graphics/Image.h"
#include "graphics/ImageRegistry.h"
#include "resources/XMLParser.h"

namespace Tesk {

namespace {

std::string Narrow(const TeskString& theText) { return WStringToString(theText); }

bool Has(const XMLElement& theElement, const wchar_t* theName) {
  return theElement.mAttributes.find(theName) != theElement.mAttributes.end();
}

// The attribute's value, or null when it is absent.
const TeskString* Find(const XMLElement& theElement, const wchar_t* theName) {
  auto anItr = theElement.mAttributes.find(theName);
  return anItr == theElement.mAttributes.end() ? nullptr : &anItr->second;
}

// Bounds that keep one attribute from costing gigabytes or overflowing the animation's total
// time: a cel is at least a pixel of an image no wider or taller than 16384 pixels, and
// 32768 frames of at most 65535 ticks each still add up inside an int.
constexpr int k_MaxRowsCols = 16384;
constexpr int k_MaxFrames = 32768;
constexpr int k_MaxFrameDelay = 65535;

bool DelayAllowed(int theDelay) { return theDelay <= k_MaxFrameDelay; }

}  // namespace

void ReadIntVector(const TeskString& theValue, std::vector<int>& theVector) {
  theVector.clear();
  size_t aPos = 0;
  for (;;) {
    theVector.push_back(_wtoi(theValue.c_str() + aPos));
    size_t aComma = theValue.find(L',', aPos);
    if (aComma == TeskString::npos) break;
    aPos = aComma + 1;
  }
}

ResourceManager::ResourceManager(ResourceHost* theApp) : mApp(theApp) {}

ResourceManager::~ResourceManager() {
  AutoCrit aLock(mCritSect);
  delete mXMLParser;
  DeleteMap(mImageMap);
  DeleteMap(mSoundMap);
  DeleteMap(mFontMap);
}

void ResourceManager::DeleteMap(ResMap& theMap) {
  for (auto& anEntry : theMap) {
    anEntry.second->DeleteResource();
    delete anEntry.second;
  }
  theMap.clear();
}

bool ResourceManager::HadError() const {
  AutoCrit aLock(mCritSect);
  return mHasFailed;
}

std::string ResourceManager::GetErrorText() const {
  AutoCrit aLock(mCritSect);
  return mError;
}

bool ResourceManager::Fail(const std::string& theErrorText) {
  AutoCrit aLock(mCritSect);
  if (mHasFailed) return false;
  mHasFailed = true;
  mError = theErrorText;
  if (mXMLParser != nullptr) {
    int aLine = mXMLParser->GetCurrentLineNum();
    if (aLine > 0) mError += " on Line " + std::to_string(aLine);
    if (!mXMLParser->GetFileName().empty()) mError += " in File '" + mXMLParser->GetFileName() + "'";
  }
  return false;
}

bool ResourceManager::ParseResourcesFile(const std::string& theFilename) {
  AutoCrit aLock(mCritSect);
  // Parsing moves the current group; a walk the loading thread has started keeps its place.
  const bool aWalking = mWalkStarted;
  const Walk aWalk = SaveWalk();
  const bool aParsed = DoParseResourcesFile(theFilename);
  if (aWalking) RestoreWalk(aWalk);
  return aParsed;
}

bool ResourceManager::DoParseResourcesFile(const std::string& theFilename) {
  delete mXMLParser;
  mXMLParser = new XMLParser();
  if (!mXMLParser->OpenFile(theFilename)) Fail("Resource file not found: " + theFilename);

  XMLElement anElement;
  bool aFoundStart = false;
  while (mXMLParser->NextElement(&anElement)) {
    if (anElement.mType == XMLElement::TYPE_START) {
      aFoundStart = true;
      break;
    }
  }
  // An input that simply ended records an empty text: only the line and file remain.
  if (!aFoundStart) Fail(Narrow(mXMLParser->GetErrorText()));

  if (aFoundStart && anElement.mValue == L"ResourceManifest") return DoParseResources();
  Fail("Expecting ResourceManifest tag");
  DoParseResources();
  return false;
}

bool ResourceManager::DoParseResources() {
  if (!mXMLParser->HasFailed()) {
    XMLElement anElement;
    while (mXMLParser->NextElement(&anElement)) {
      if (anElement.mType == XMLElement::TYPE_START) {
        if (anElement.mValue != L"Resources") {
          Fail("Invalid Section '" + Narrow(anElement.mValue) + "'");
          break;
        }
        const TeskString* anId = Find(anElement, L"id");
        mCurResGroup = anId ? Narrow(*anId) : std::string();
        if (mCurResGroup.empty()) {
          Fail("No id specified.");
          break;
        }
        mCurResGroupList = &mResGroupMap[mCurResGroup];
        if (!ParseResources()) break;
      } else if (anElement.mType == XMLElement::TYPE_TEXT) {
        Fail("Element Not Expected '" + Narrow(anElement.mValue) + "'");
        break;
      }
    }
  }
  if (mXMLParser->HasFailed()) Fail(Narrow(mXMLParser->GetErrorText()));
  delete mXMLParser;
  mXMLParser = nullptr;
  return !mHasFailed;
}

bool ResourceManager::ParseResources() {
  XMLElement anElement;
  for (;;) {
    if (!mXMLParser->NextElement(&anElement)) return false;
    if (anElement.mType == XMLElement::TYPE_START) {
      bool aParsed;
      if (anElement.mValue == L"Image")
        aParsed = ParseImageResource(anElement);
      else if (anElement.mValue == L"Sound")
        aParsed = ParseSoundResource(anElement);
      else if (anElement.mValue == L"Font")
        aParsed = ParseFontResource(anElement);
      else if (anElement.mValue == L"SetDefaults")
        aParsed = ParseSetDefaults(anElement);
      else
        return Fail("Invalid Section '" + Narrow(anElement.mValue) + "'");
      if (!aParsed) return false;
      if (!mXMLParser->NextElement(&anElement)) return false;
      if (anElement.mType != XMLElement::TYPE_END) return Fail("Unexpected element found.");
    } else if (anElement.mType == XMLElement::TYPE_TEXT) {
      return Fail("Element Not Expected '" + Narrow(anElement.mValue) + "'");
    } else if (anElement.mType == XMLElement::TYPE_END) {
      return true;
    }
  }
}

bool ResourceManager::ParseSetDefaults(XMLElement& theElement) {
  if (const TeskString* aPath = Find(theElement, L"path"))
    mDefaultPath = RemoveTrailingSlash(Narrow(*aPath)) + "/";
  if (const TeskString* aPrefix = Find(theElement, L"idprefix"))
    mDefaultIdPrefix = RemoveTrailingSlash(Narrow(*aPrefix));
  return true;
}

bool ResourceManager::ParseCommonResource(XMLElement& theElement, BaseRes* theRes, ResMap& theMap) {
  const TeskString* aPath = Find(theElement, L"path");
  if (aPath == nullptr || aPath->empty()) return Fail("No path specified.");

  theRes->mXMLAttributes = theElement.mAttributes;
  std::string aPathText = Narrow(*aPath);
  if (aPathText[0] == '!') {
    theRes->mPath = aPathText;
    theRes->mFromProgram = aPathText == "!program";
  } else {
    theRes->mPath = mDefaultPath + aPathText;
  }

  const TeskString* anId = Find(theElement, L"id");
  std::string aFullId = mDefaultIdPrefix + (anId ? Narrow(*anId) : GetFileName(theRes->mPath, true));
  theRes->mResGroup = mCurResGroup;
  theRes->mId = aFullId;

  if (!theMap.insert({aFullId, theRes}).second) return Fail("Resource already defined.");
  mCurResGroupList->push_back(theRes);
  return true;
}

bool ResourceManager::ParseImageResource(XMLElement& theElement) {
  ImageRes* aRes = new ImageRes();
  if (!ParseCommonResource(theElement, aRes, mImageMap)) {
    delete aRes;
    return false;
  }
  // Asked of the application object (through its image-registry side) while parsing.
  bool is3D = gImageRegistry != nullptr && gImageRegistry->Is3DAccelerated();
  aRes->mPalletize = !Has(theElement, L"nopal");
  aRes->mA4R4G4B4 = Has(theElement, L"a4r4g4b4");
  aRes->mA8R8G8B8 = Has(theElement, L"a8r8g8b8");
  aRes->mDDSurface = Has(theElement, L"ddsurface");
  aRes->mPurgeBits = Has(theElement, L"nobits") || (is3D && Has(theElement, L"nobits3d")) ||
                     (!is3D && Has(theElement, L"nobits2d"));
  aRes->mMinimizeSubdivisions = Has(theElement, L"minsubdivide");
  aRes->mAutoFindAlpha = !Has(theElement, L"noalpha");
  if (const TeskString* aValue = Find(theElement, L"alphaimage"))
    aRes->mAlphaImage = mDefaultPath + Narrow(*aValue);
  if (const TeskString* aValue = Find(theElement, L"alphacolor")) {
    unsigned int aColor;
    if (swscanf(aValue->c_str(), L"%x", &aColor) == 1) aRes->mAlphaColor = aColor;
  }
  if (const TeskString* aValue = Find(theElement, L"variant")) aRes->mVariant = Narrow(*aValue);
  if (const TeskString* aValue = Find(theElement, L"alphagrid"))
    aRes->mAlphaGridImage = mDefaultPath + Narrow(*aValue);
  if (const TeskString* aValue = Find(theElement, L"rows")) aRes->mRows = _wtoi(aValue->c_str());
  if (const TeskString* aValue = Find(theElement, L"cols")) aRes->mCols = _wtoi(aValue->c_str());
  if (aRes->mRows > k_MaxRowsCols) return Fail("Invalid rows value.");
  if (aRes->mCols > k_MaxRowsCols) return Fail("Invalid cols value.");

  if (const TeskString* anAnim = Find(theElement, L"anim")) {
    int aType;
    if (wcsicmp(anAnim->c_str(), L"none") == 0)
      aType = AnimType_None;
    else if (wcsicmp(anAnim->c_str(), L"once") == 0)
      aType = AnimType_Once;
    else if (wcsicmp(anAnim->c_str(), L"pingpong") == 0)
      aType = AnimType_PingPong;
    else if (wcsicmp(anAnim->c_str(), L"loop") == 0)
      aType = AnimType_Loop;
    else
      return Fail("Invalid animation type.");
    aRes->mAnimInfo.mAnimType = aType;
    if (aType != AnimType_None) {
      int aBeginDelay = 0;
      int anEndDelay = 0;
      if (const TeskString* aValue = Find(theElement, L"framedelay"))
        aRes->mAnimInfo.mFrameDelay = _wtoi(aValue->c_str());
      if (const TeskString* aValue = Find(theElement, L"begindelay")) aBeginDelay = _wtoi(aValue->c_str());
      if (const TeskString* aValue = Find(theElement, L"enddelay")) anEndDelay = _wtoi(aValue->c_str());
      if (const TeskString* aValue = Find(theElement, L"perframedelay"))
        ReadIntVector(*aValue, aRes->mAnimInfo.mPerFrameDelay);
      if (const TeskString* aValue = Find(theElement, L"framemap"))
        ReadIntVector(*aValue, aRes->mAnimInfo.mFrameMap);
      const std::vector<int>& aPerFrame = aRes->mAnimInfo.mPerFrameDelay;
      if (!DelayAllowed(aRes->mAnimInfo.mFrameDelay) || !DelayAllowed(aBeginDelay) ||
          !DelayAllowed(anEndDelay) || !std::all_of(aPerFrame.begin(), aPerFrame.end(), DelayAllowed))
        return Fail("Invalid frame delay.");
      if (aRes->mAnimInfo.mFrameMap.size() > static_cast<size_t>(k_MaxFrames))
        return Fail("Invalid frame map.");
      aRes->mAnimInfo.Compute(std::max(aRes->mRows, aRes->mCols), aBeginDelay, anEndDelay);
    }
  }
  return true;
}

bool ResourceManager::ParseSoundResource(XMLElement& theElement) {
  SoundRes* aRes = new SoundRes();
  if (!ParseCommonResource(theElement, aRes, mSoundMap)) {
    delete aRes;
    return false;
  }
  if (const TeskString* aValue = Find(theElement, L"volume")) {
    double aVolume;
    if (swscanf(aValue->c_str(), L"%lf", &aVolume) == 1) aRes->mVolume = aVolume;
  }
  if (const TeskString* aValue = Find(theElement, L"pan")) {
    int aPan;
    if (swscanf(aValue->c_str(), L"%d", &aPan) == 1) aRes->mPanning = aPan;
  }
  return true;
}

bool ResourceManager::ParseFontResource(XMLElement& theElement) {
  FontRes* aRes = new FontRes();
  if (!ParseCommonResource(theElement, aRes, mFontMap)) {
    delete aRes;
    return false;
  }
  if (const TeskString* aValue = Find(theElement, L"image")) aRes->mImagePath = Narrow(*aValue);
  if (const TeskString* aValue = Find(theElement, L"tags")) aRes->mTags = Narrow(*aValue);
  if (aRes->mPath.compare(0, 5, "!sys:") == 0) {
    aRes->mSysFont = true;
    aRes->mPath.erase(0, 5);
    const TeskString* aSize = Find(theElement, L"size");
    if (aSize == nullptr || _wtoi(aSize->c_str()) <= 0) return Fail("SysFont needs point size");
    aRes->mSize = _wtoi(aSize->c_str());
    aRes->mBold = Has(theElement, L"bold");
    aRes->mItalic = Has(theElement, L"italic");
    aRes->mShadow = Has(theElement, L"shadow");
    aRes->mUnderline = Has(theElement, L"underline");
  }
  return true;
}

}  // namespace Tesk
