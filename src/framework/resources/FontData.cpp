#include "resources/FontData.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/Common.h"
#include "graphics/MemoryImage.h"

namespace Tesk {

namespace {

enum Command {
  k_Define,
  k_CreateHorzSpanRectList,
  k_SetDefaultPointSize,
  k_SetCharMap,
  k_CreateLayer,
  k_CreateLayerFrom,
  k_LayerRequireTags,
  k_LayerExcludeTags,
  k_LayerPointRange,
  k_LayerSetPointSize,
  k_LayerSetHeight,
  k_LayerSetImage,
  k_LayerSetDrawMode,
  k_LayerSetColorMult,
  k_LayerSetColorAdd,
  k_LayerSetAscent,
  k_LayerSetAscentPadding,
  k_LayerSetLineSpacingOffset,
  k_LayerSetOffset,
  k_LayerSetCharWidths,
  k_LayerSetSpacing,
  k_LayerSetImageMap,
  k_LayerSetCharOffsets,
  k_LayerSetKerningPairs,
  k_LayerSetBaseOrder,
  k_LayerSetCharOrders,
  k_CommandCount
};

struct CommandInfo {
  const char* mName;
  size_t mCount;  // elements, the name included
};

const CommandInfo k_Commands[k_CommandCount] = {
    {"Define", 3},
    {"CreateHorzSpanRectList", 4},
    {"SetDefaultPointSize", 2},
    {"SetCharMap", 3},
    {"CreateLayer", 2},
    {"CreateLayerFrom", 3},
    {"LayerRequireTags", 3},
    {"LayerExcludeTags", 3},
    {"LayerPointRange", 4},
    {"LayerSetPointSize", 3},
    {"LayerSetHeight", 3},
    {"LayerSetImage", 3},
    {"LayerSetDrawMode", 3},
    {"LayerSetColorMult", 3},
    {"LayerSetColorAdd", 3},
    {"LayerSetAscent", 3},
    {"LayerSetAscentPadding", 3},
    {"LayerSetLineSpacingOffset", 3},
    {"LayerSetOffset", 3},
    {"LayerSetCharWidths", 4},
    {"LayerSetSpacing", 3},
    {"LayerSetImageMap", 4},
    {"LayerSetCharOffsets", 4},
    {"LayerSetKerningPairs", 4},
    {"LayerSetBaseOrder", 3},
    {"LayerSetCharOrders", 4},
};

const SingleDataElement* AsSingle(const DataElement* theElement) {
  return theElement && !theElement->mIsList ? static_cast<const SingleDataElement*>(theElement) : nullptr;
}

bool ToIntArg(const DataElement* theElement, int* theValue) {
  const SingleDataElement* aSingle = AsSingle(theElement);
  if (!aSingle) return false;
  return StringToInt(aSingle->mString, theValue);
}

// A colour fraction as a channel: 1 is 255; outside 0..1 is held at the ends, since
// the blitters take only channels of 0 to 255.
int FractionToChannel(double theFraction) {
  int aChannel = static_cast<int>(255.0 * std::max(-1.0, std::min(2.0, theFraction)));
  return std::max(0, std::min(255, aChannel));
}

}  // namespace

FontData::FontData() : mInitialized(false), mRefCount(0), mApp(nullptr), mDefaultPointSize(0) {}

FontData::~FontData() { mCharMap.clear(); }

void FontData::Ref() { ++mRefCount; }

void FontData::DeRef() {
  if (--mRefCount <= 0) delete this;
}

bool FontData::Load(FontHost* theApp, const std::string& theFileName) {
  if (mInitialized) return false;
  mApp = theApp;
  mCommandText.clear();
  mFontErrorHeader = "Font Descriptor Error in " + theFileName + "\r\n";
  mSourceFile = theFileName;
  mInitialized = LoadDescriptor(theFileName);

  // The space's width may have been given while the last layer's table ended just
  // before the space's index: give that layer the entry.
  auto aSpace = mCharMap.find(L' ');
  if (aSpace != mCharMap.end() && !mFontLayerList.empty()) {
    FontLayer& aLast = mFontLayerList.back();
    if (aLast.mCharData.size() == static_cast<size_t>(aSpace->second)) {
      CharData aData;
      aData.mWidth = aLast.mSpaceWidth;
      aLast.mCharData.push_back(aData);
    }
  }
  return true;
}

bool FontData::LoadLegacy(Image*, const std::string&) { return false; }

bool FontData::Error(const std::string& theError) {
  if (!mApp) return false;
  std::string aText = mFontErrorHeader + theError;
  if (!mCommandText.empty()) {
    char aLine[32];
    std::snprintf(aLine, sizeof(aLine), "%d:\r\n\r\n", mLineNumber);
    aText += " on Line ";
    aText += aLine;
    aText += TeskStringToString(mCommandText);
  }
  mApp->Popup(aText);
  return false;
}

bool FontData::GetColorFromDataElement(DataElement* theSource, Color& theColor) {
  if (!theSource) return false;
  if (theSource->mIsList) {
    std::vector<double> aValues;
    if (!DataToDoubleVector(theSource, &aValues) || aValues.size() != 4) return false;
    theColor = Color(FractionToChannel(aValues[0]), FractionToChannel(aValues[1]),
                     FractionToChannel(aValues[2]), FractionToChannel(aValues[3]));
    return true;
  }
  int aPacked;
  if (!ToIntArg(theSource, &aPacked)) return false;
  theColor = Color(aPacked);
  return true;
}

bool FontData::DataToLayer(DataElement* theSource, FontLayer** theLayer) {
  *theLayer = nullptr;
  const SingleDataElement* aSingle = AsSingle(theSource);
  if (!aSingle) return false;
  auto anIt = mFontLayerMap.find(StringToUpper(TeskStringToString(aSingle->mString)));
  if (anIt == mFontLayerMap.end()) {
    Error("Undefined Layer");
    return false;
  }
  *theLayer = anIt->second;
  return true;
}

bool FontData::HandleCommand(const ListDataElement& theParams) {
  const SingleDataElement* aNameElement =
      AsSingle(theParams.mElements.empty() ? nullptr : theParams.mElements[0]);
  if (!aNameElement) return Error("Unknown Command");
  const std::string aName = StringToUpper(TeskStringToString(aNameElement->mString));
  int aCommand = 0;
  while (aCommand < k_CommandCount && StringToUpper(std::string(k_Commands[aCommand].mName)) != aName)
    ++aCommand;
  if (aCommand == k_CommandCount) return Error("Unknown Command");

  bool aCountFailure = theParams.mElements.size() != k_Commands[aCommand].mCount;
  bool aTypeFailure = false;
  bool aSizeFailure = false;
  DataElement* const* p = theParams.mElements.data();

  if (!aCountFailure) {
    // Commands on a layer find it first; an unknown layer is a type failure.
    FontLayer* aLayer = nullptr;
    bool onLayer = aCommand >= k_LayerRequireTags;
    if (onLayer && !DataToLayer(p[1], &aLayer)) aTypeFailure = true;

    int anInt = 0;
    int anInt2 = 0;
    switch (aCommand) {
      case k_Define:
        if (!HandleDefine(theParams, &aTypeFailure)) return false;
        break;
      case k_CreateHorzSpanRectList:
        HandleHorzSpanRectList(theParams, &aTypeFailure);
        break;
      case k_SetDefaultPointSize:
        if (ToIntArg(p[1], &anInt))
          mDefaultPointSize = anInt;
        else
          aTypeFailure = true;
        break;
      case k_SetCharMap: {
        std::vector<TeskString> aFrom;
        std::vector<TeskString> aTo;
        if (!DataToStringVector(p[1], &aFrom) || !DataToStringVector(p[2], &aTo)) {
          aTypeFailure = true;
        } else if (aFrom.size() != aTo.size()) {
          aSizeFailure = true;
        } else {
          for (size_t i = 0; i < aFrom.size(); ++i) {
            if (aFrom[i].size() == 1 && aTo[i].size() == 1)
              mCharMap[aFrom[i][0]] = aTo[i][0];
            else
              aTypeFailure = true;
          }
        }
        break;
      }
      case k_CreateLayer:
      case k_CreateLayerFrom: {
        const SingleDataElement* aLayerName = AsSingle(p[1]);
        FontLayer* aSource = nullptr;
        if (!aLayerName || (aCommand == k_CreateLayerFrom && !DataToLayer(p[2], &aSource))) {
          aTypeFailure = true;
          break;
        }
        FontLayer aNew = aSource ? FontLayer(*aSource) : FontLayer(this);
        mFontLayerList.push_back(aNew);
        std::string aKey = StringToUpper(TeskStringToString(aLayerName->mString));
        if (mFontLayerMap.count(aKey))
          Error("Layer Already Exists");
        else
          mFontLayerMap[aKey] = &mFontLayerList.back();
        break;
      }
      case k_LayerRequireTags:
      case k_LayerExcludeTags: {
        std::vector<TeskString> aTags;
        if (!aLayer || !DataToStringVector(p[2], &aTags)) {
          aTypeFailure = true;
          break;
        }
        std::vector<TeskString>& aTarget =
            aCommand == k_LayerRequireTags ? aLayer->mRequiredTags : aLayer->mExcludedTags;
        for (const TeskString& aTag : aTags) aTarget.push_back(StringToUpper(aTag));
        break;
      }
      case k_LayerPointRange:
        if (aLayer && ToIntArg(p[2], &anInt) && ToIntArg(p[3], &anInt2)) {
          aLayer->mMinPointSize = anInt;
          aLayer->mMaxPointSize = anInt2;
        } else {
          aTypeFailure = true;
        }
        break;
      case k_LayerSetPointSize:
      case k_LayerSetHeight:
      case k_LayerSetAscent:
      case k_LayerSetAscentPadding:
      case k_LayerSetLineSpacingOffset:
      case k_LayerSetSpacing:
      case k_LayerSetBaseOrder:
      case k_LayerSetDrawMode: {
        if (!aLayer || !ToIntArg(p[2], &anInt) ||
            (aCommand == k_LayerSetDrawMode && anInt != 0 && anInt != 1)) {
          aTypeFailure = true;
          break;
        }
        int* aField = aCommand == k_LayerSetPointSize           ? &aLayer->mPointSize
                      : aCommand == k_LayerSetHeight            ? &aLayer->mHeight
                      : aCommand == k_LayerSetAscent            ? &aLayer->mAscent
                      : aCommand == k_LayerSetAscentPadding     ? &aLayer->mAscentPadding
                      : aCommand == k_LayerSetLineSpacingOffset ? &aLayer->mLineSpacingOffset
                      : aCommand == k_LayerSetSpacing           ? &aLayer->mSpacing
                      : aCommand == k_LayerSetBaseOrder         ? &aLayer->mBaseOrder
                                                                : &aLayer->mDrawMode;
        *aField = anInt;
        break;
      }
      case k_LayerSetImage:
        if (!aLayer) {
          aTypeFailure = true;
          break;
        }
        if (!HandleLayerSetImage(aLayer, p[2])) return false;
        break;
      case k_LayerSetColorMult:
      case k_LayerSetColorAdd: {
        Color aColor;
        if (!aLayer || !GetColorFromDataElement(p[2], aColor)) {
          aTypeFailure = true;
          break;
        }
        (aCommand == k_LayerSetColorMult ? aLayer->mColorMult : aLayer->mColorAdd) = aColor;
        break;
      }
      case k_LayerSetOffset: {
        std::vector<int> anOffset;
        if (!aLayer || !DataToIntVector(p[2], &anOffset) || anOffset.size() != 2) {
          aTypeFailure = true;
          break;
        }
        aLayer->mOffset = TPoint<int>(anOffset[0], anOffset[1]);
        break;
      }
      case k_LayerSetKerningPairs: {
        // Kerning is checked and not stored: nothing measures or draws with it.
        std::vector<TeskString> aPairs;
        std::vector<int> anAmounts;
        if (!aLayer || !DataToStringVector(p[2], &aPairs) || !DataToIntVector(p[3], &anAmounts))
          aTypeFailure = true;
        break;
      }
      case k_LayerSetCharWidths:
      case k_LayerSetImageMap:
      case k_LayerSetCharOffsets:
      case k_LayerSetCharOrders:
        if (!aLayer) {
          aTypeFailure = true;
          break;
        }
        if (!HandlePerGlyph(aCommand, aLayer, p[2], p[3], &aTypeFailure, &aSizeFailure)) return false;
        break;
    }
  }

  if (aCountFailure) return Error("Invalid Number of Parameters");
  if (aTypeFailure) return Error("Invalid Paramater Type");
  if (aSizeFailure) return Error("List Size Mismatch");
  return true;
}

bool FontData::HandleDefine(const ListDataElement& theParams, bool* typeFailure) {
  const SingleDataElement* aName = AsSingle(theParams.mElements[1]);
  if (!aName || IsImmediate(aName->mString)) {
    *typeFailure = true;
    return true;
  }
  mDefineMap.erase(StringToUpper(aName->mString));
  DataElement* aValue = theParams.mElements[2];
  if (aValue->mIsList) {
    auto aList = std::make_unique<ListDataElement>();
    if (!GetValues(static_cast<ListDataElement*>(aValue), aList.get())) return false;
    if (StringToUpper(aName->mString) == L"CHARLIST") {
      for (size_t i = 0; i < aList->mElements.size(); ++i) {
        // An entry that is itself a list maps nothing but still takes its index.
        const SingleDataElement* anEntry = AsSingle(aList->mElements[i]);
        if (anEntry && !anEntry->mString.empty()) mCharMap[anEntry->mString[0]] = static_cast<wchar_t>(i);
      }
    }
    SetDefine(aName->mString, aList.release());
    return true;
  }
  DataElement* aDefine = Dereference(static_cast<SingleDataElement*>(aValue)->mString);
  SetDefine(aName->mString, aDefine ? aDefine->Duplicate() : aValue->Duplicate());
  return true;
}

bool FontData::HandleHorzSpanRectList(const ListDataElement& theParams, bool* typeFailure) {
  const SingleDataElement* aName = AsSingle(theParams.mElements[1]);
  std::vector<int> aRect;
  std::vector<int> aWidths;
  if (!aName || !DataToIntVector(theParams.mElements[2], &aRect) || aRect.size() != 4 ||
      !DataToIntVector(theParams.mElements[3], &aWidths)) {
    *typeFailure = true;
    return false;
  }
  auto aList = std::make_unique<ListDataElement>();
  int64_t anX = aRect[0];
  for (int aWidth : aWidths) {
    auto aRectElement = std::make_unique<ListDataElement>();
    for (int64_t aValue : {anX, int64_t(aRect[1]), int64_t(aWidth), int64_t(aRect[3])})
      aRectElement->mElements.push_back(new SingleDataElement(std::to_wstring(aValue)));
    aList->mElements.push_back(aRectElement.release());
    anX += aWidth;
  }
  SetDefine(aName->mString, aList.release());
  return true;
}

bool FontData::HandleLayerSetImage(FontLayer* theLayer, DataElement* thePath) {
  TeskString aPath;
  if (!DataToString(thePath, &aPath)) return Error("Invalid Paramater Type");
  std::string aFile = GetPathFrom(TeskStringToString(aPath), GetFileDir(mSourceFile, false));
  bool isNew = false;
  std::shared_ptr<Image> anImage = mApp ? mApp->GetFontSheet(aFile, &isNew) : nullptr;
  if (!anImage) return Error("Failed to Load Image");
  if (isNew) {
    if (MemoryImage* aMemoryImage = dynamic_cast<MemoryImage*>(anImage.get())) aMemoryImage->Palletize();
  }
  theLayer->mImage = anImage;
  return true;
}

bool FontData::HandlePerGlyph(int theCommand, FontLayer* theLayer, DataElement* theChars,
                              DataElement* theValues, bool* typeFailure, bool* sizeFailure) {
  std::vector<TeskString> aChars;
  if (!DataToStringVector(theChars, &aChars)) {
    *typeFailure = true;
    return true;
  }
  std::vector<int> anInts;
  ListDataElement aLists;
  bool isInts = theCommand == k_LayerSetCharWidths || theCommand == k_LayerSetCharOrders;
  if (isInts ? !DataToIntVector(theValues, &anInts) : !DataToList(theValues, &aLists)) {
    *typeFailure = true;
    return true;
  }
  size_t aCount = isInts ? anInts.size() : aLists.mElements.size();
  if (aCount != aChars.size()) {
    *sizeFailure = true;
    return true;
  }
  Image* aSheet = theLayer->mImage.get();
  if (theCommand == k_LayerSetImageMap && !aSheet) return Error("Layer image not set");

  std::vector<CharData>& aTable = theLayer->mCharData;
  if (aTable.size() < aCount) aTable.resize(aCount);

  for (size_t i = 0; i < aCount; ++i) {
    if (aChars[i].size() != 1) {
      *typeFailure = true;
      continue;
    }
    wchar_t aChar = aChars[i][0];
    std::vector<int> aValues;
    if (!isInts) {
      if (!DataToIntVector(aLists.mElements[i], &aValues) ||
          aValues.size() != (theCommand == k_LayerSetImageMap ? 4u : 2u)) {
        *typeFailure = true;
        continue;
      }
    }
    auto aMapped = mCharMap.find(aChar);
    if (aMapped == mCharMap.end()) {
      if (theCommand == k_LayerSetCharWidths && aChar == L' ') {
        theLayer->mSpaceWidth = anInts[i];
        wchar_t anIndex = static_cast<wchar_t>(mCharMap.size());
        mCharMap[L' '] = anIndex;
      } else {
        *typeFailure = true;
      }
      continue;
    }
    if (theCommand == k_LayerSetImageMap) {
      int x = aValues[0], y = aValues[1], w = aValues[2], h = aValues[3];
      // Sizes are compared in 64 bits so that huge values cannot wrap into range.
      if (x < 0 || y < 0 || w < 0 || h < 0 || int64_t(x) + w > aSheet->GetWidth() ||
          int64_t(y) + h > aSheet->GetHeight())
        return Error("Image rectangle out of bounds");
    }
    // A character index past the table (from the character map) grows the table
    // instead of writing past it.
    size_t anIndex = static_cast<size_t>(aMapped->second);
    if (anIndex >= aTable.size()) aTable.resize(anIndex + 1);
    CharData& aData = aTable[anIndex];
    switch (theCommand) {
      case k_LayerSetCharWidths:
        aData.mWidth = anInts[i];
        break;
      case k_LayerSetCharOrders:
        aData.mOrder = anInts[i];
        break;
      case k_LayerSetImageMap:
        aData.mImageRect = TRect<int>(aValues[0], aValues[1], aValues[2], aValues[3]);
        break;
      case k_LayerSetCharOffsets:
        aData.mOffset = TPoint<int>(aValues[0], aValues[1]);
        break;
    }
  }

  if (theCommand == k_LayerSetImageMap) {
    int64_t aHeight = 0;
    for (const CharData& aData : aTable)
      aHeight = std::max(aHeight, int64_t(aData.mImageRect.mHeight) + aData.mOffset.mY);
    theLayer->mDefaultHeight = static_cast<int>(std::min<int64_t>(aHeight, INT32_MAX));
  }
  return true;
}

}  // namespace Tesk
