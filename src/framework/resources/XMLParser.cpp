#include "resources/XMLParser.h"

#include <cwctype>

namespace Tesk {

namespace {

bool IsXMLSpace(wchar_t c) { return (c >= 9 && c <= 13) || c == 32; }

bool EndsWith(const TeskString& theText, wchar_t theChar) {
  return !theText.empty() && theText.back() == theChar;
}

}  // namespace

XMLParser::XMLParser() : mGetCharFunc(&XMLParser::GetUTF8Char) {}

XMLParser::~XMLParser() {
  if (mFile != nullptr) p_fclose(mFile);
}

void XMLParser::Fail(const TeskString& theErrorText) {
  mHasFailed = true;
  mErrorText = theErrorText;
}

void XMLParser::Init() {
  mSection.clear();
  mLineNum = 1;
  mHasFailed = false;
  mErrorText.clear();
  mFirstChar = true;
  mByteSwap = false;
  mPushBack.clear();
}

bool XMLParser::OpenFile(const std::string& theFilename) {
  if (mFile != nullptr) {
    p_fclose(mFile);
    mFile = nullptr;
  }
  mFile = p_fopen(theFilename.c_str(), "r");
  if (mFile == nullptr) {
    mLineNum = 0;
    Fail(L"Unable to open file " + StringToTeskString(theFilename));
    return false;
  }
  p_fseek(mFile, 0, SEEK_END);
  int32_t aSize = p_ftell(mFile);
  p_fseek(mFile, 0, SEEK_SET);

  // The marks are looked at and the file rewound, rather than pushing several bytes back,
  // which stdio does not promise; the readers consume the marks themselves.
  mGetCharFunc = &XMLParser::GetAsciiChar;
  unsigned char aMark[3];
  if (aSize >= 2 && p_fread(aMark, 1, 2, mFile) == 2 &&
      ((aMark[0] == 0xFF && aMark[1] == 0xFE) || (aMark[0] == 0xFE && aMark[1] == 0xFF)))
    mGetCharFunc = &XMLParser::GetUTF16Char;
  p_fseek(mFile, 0, SEEK_SET);
  if (aSize >= 3 && p_fread(aMark, 1, 3, mFile) == 3 && aMark[0] == 0xEF && aMark[1] == 0xBB &&
      aMark[2] == 0xBF)
    mGetCharFunc = &XMLParser::GetUTF8Char;
  p_fseek(mFile, 0, SEEK_SET);

  mFileName = theFilename;
  Init();
  return true;
}

// Bytes are read with p_fread rather than p_fgetc, so an archived file reads exactly like the
// same file on disk (the archive's character read skips carriage returns).
bool XMLParser::GetAsciiChar(wchar_t* theChar, bool*) {
  unsigned char aByte;
  if (p_fread(&aByte, 1, 1, mFile) != 1) return false;
  *theChar = aByte;
  return true;
}

bool XMLParser::GetUTF8Char(wchar_t* theChar, bool* error) {
  for (;;) {
    unsigned char aLead;
    if (p_fread(&aLead, 1, 1, mFile) != 1) return false;
    *error = true;
    uint32_t aValue;
    int aMore;
    if (aLead < 0x80) {
      aValue = aLead;
      aMore = 0;
    } else if (aLead < 0xC0) {
      return false;
    } else if (aLead < 0xE0) {
      aValue = aLead & 0x1F;
      aMore = 1;
    } else if (aLead < 0xF0) {
      aValue = aLead & 0x0F;
      aMore = 2;
    } else if (aLead < 0xF8) {
      aValue = aLead & 0x07;
      aMore = 3;
    } else if (aLead < 0xFC) {
      aValue = aLead & 0x03;
      aMore = 4;
    } else if (aLead < 0xFE) {
      aValue = aLead & 0x01;
      aMore = 5;
    } else {
      return false;
    }
    unsigned char aFirst = 0;
    for (int i = 0; i < aMore; ++i) {
      unsigned char aByte;
      if (p_fread(&aByte, 1, 1, mFile) != 1 || (aByte & 0xC0) != 0x80) return false;
      if (i == 0) aFirst = aByte;
      aValue = (aValue << 6) | (aByte & 0x3F);
    }
    bool aValid = true;
    switch (aMore) {
      case 1:
        aValid = (aLead & 0x3E) != 0;
        break;
      case 2:
        aValid = (aLead & 0x1F) != 0 || (aFirst & 0x20) != 0;
        break;
      case 3:
        aValid = (aLead & 0x0F) != 0 || (aFirst & 0x30) != 0;
        break;
      case 4:
        aValid = (aLead & 0x07) != 0 || (aFirst & 0x38) != 0;
        break;
      case 5:
        aValid = (aLead & 0x03) != 0 || (aFirst & 0x3C) != 0;
        break;
    }
    if (!aValid) return false;
    if ((aValue >= 0xD800 && aValue <= 0xDFFF) || aValue == 0xFFFE || aValue == 0xFFFF) return false;
    *error = false;
    if (aValue == 0xFEFF && mFirstChar) {
      mFirstChar = false;
      continue;
    }
    *theChar = static_cast<wchar_t>(aValue);
    return true;
  }
}

// Units are read two bytes at a time: a carriage-return byte inside a unit is data, not a line end.
bool XMLParser::GetUTF16Char(wchar_t* theChar, bool*) {
  unsigned char aBytes[2];
  uint16_t aUnit;
  for (;;) {
    if (p_fread(aBytes, 1, 2, mFile) != 2) return false;
    aUnit = static_cast<uint16_t>(aBytes[0] | (aBytes[1] << 8));
    if (!mFirstChar) break;
    mFirstChar = false;
    if (aUnit == 0xFEFF) continue;
    if (aUnit == 0xFFFE) {
      mByteSwap = true;
      continue;
    }
    break;
  }
  auto aSwap = [this](uint16_t theUnit) {
    return mByteSwap ? static_cast<uint16_t>((theUnit >> 8) | (theUnit << 8)) : theUnit;
  };
  aUnit = aSwap(aUnit);
  if (aUnit >= 0xD800 && aUnit <= 0xDBFF) {
    if (p_fread(aBytes, 1, 2, mFile) != 2) return false;
    uint16_t aSecond = aSwap(static_cast<uint16_t>(aBytes[0] | (aBytes[1] << 8)));
    if (aSecond < 0xDC00 || aSecond > 0xDFFF) return false;
    *theChar = static_cast<wchar_t>((((aUnit - 0xD800) << 10) | (aSecond - 0xDC00)) + 0x10000);
    return true;
  }
  if (aUnit >= 0xDC00 && aUnit <= 0xDFFF) return false;
  *theChar = aUnit;
  return true;
}

bool XMLParser::AddAttribute(XMLElement* theElement, const TeskString& theName, const TeskString& theValue) {
  auto aResult = theElement->mAttributes.insert({theName, theValue});
  if (!aResult.second) aResult.first->second = theValue;
  if (theName != L"/") theElement->mAttributeOrder.push_back(aResult.first);
  return aResult.second;
}

bool XMLParser::NextElement(XMLElement* theElement) {
  for (;;) {
    theElement->mType = XMLElement::TYPE_NONE;
    theElement->mSection = mSection;
    theElement->mValue.clear();
    theElement->mInstruction.clear();
    theElement->mAttributes.clear();
    theElement->mAttributeOrder.clear();

    int& aType = theElement->mType;
    TeskString& aValue = theElement->mValue;
    bool inQuote = false;
    bool aQuoteClosed = false;
    bool aPendingSpace = false;
    bool inAttributes = false;
    bool inValue = false;
    TeskString anAttrName;
    TeskString anAttrValue;
    TeskString aLastAttrName;

    auto aStorePending = [&]() {
      AddAttribute(theElement, XMLDecodeString(anAttrName), XMLDecodeString(anAttrValue));
    };

    for (bool aDone = false; !aDone;) {
      wchar_t c = 0;
      if (!mPushBack.empty()) {
        c = mPushBack.back();
        mPushBack.pop_back();
      } else {
        bool aGot = false;
        if (mFile != nullptr) {
          bool anError = false;
          aGot = (this->*mGetCharFunc)(&c, &anError);
          if (!aGot && anError) Fail(L"Illegal Character");
        }
        if (!aGot) {
          if (aType != XMLElement::TYPE_NONE) Fail(L"Unexpected End of File");
          return false;
        }
      }
      if (c == L'\n') ++mLineNum;

      if (aType == XMLElement::TYPE_COMMENT) {
        TeskString& aBody = theElement->mInstruction;
        aBody += c;
        if (c == L'>' && aBody.size() >= 3 && aBody[aBody.size() - 3] == L'-' &&
            aBody[aBody.size() - 2] == L'-') {
          aBody.erase(aBody.size() - 3);
          aDone = true;
        }
        continue;
      }
      if (aType == XMLElement::TYPE_INSTRUCTION) {
        TeskString& aTarget = (theElement->mInstruction.empty() && !std::iswspace(static_cast<wint_t>(c)))
                                  ? aValue
                                  : theElement->mInstruction;
        aTarget += c;
        if (c == L'>' && aTarget.size() >= 2 && aTarget[aTarget.size() - 2] == L'?') {
          aTarget.erase(aTarget.size() - 2);
          aDone = true;
        }
        continue;
      }

      bool aTake = false;
      if (c == L'"') {
        inQuote = !inQuote;
        aTake = aType == XMLElement::TYPE_NONE || aType == XMLElement::TYPE_TEXT;
        if (!inQuote) aQuoteClosed = true;
      } else if (inQuote) {
        aTake = true;
      } else if (c == L'<') {
        if (aType == XMLElement::TYPE_TEXT) {
          mPushBack.push_back(c);
          aDone = true;
          continue;
        }
        if (aType != XMLElement::TYPE_NONE) {
          Fail(L"Unexpected '<'");
          return false;
        }
        aType = XMLElement::TYPE_START;
      } else if (c == L'>') {
        if (aType == XMLElement::TYPE_START) {
          bool aSelfClosing = false;
          if (anAttrName == L"/") {
            aSelfClosing = true;
          } else {
            if (!anAttrName.empty()) {
              aLastAttrName = XMLDecodeString(anAttrName);
              aStorePending();
              anAttrName.clear();
              anAttrValue.clear();
            }
            if (aLastAttrName.empty()) {
              if (EndsWith(aValue, L'/')) {
                aValue.pop_back();
                aSelfClosing = true;
              }
            } else {
              TeskString aStored = theElement->mAttributes[aLastAttrName];
              if (EndsWith(aStored, L'/')) {
                aStored.pop_back();
                AddAttribute(theElement, aLastAttrName, XMLDecodeString(aStored));
                aSelfClosing = true;
              }
            }
          }
          if (aSelfClosing) {
            TeskString anEnd = L"</" + aValue + L">";
            mPushBack.insert(mPushBack.end(), anEnd.rbegin(), anEnd.rend());
            anAttrName.clear();
          }
          if (!mSection.empty()) mSection += L'/';
          mSection += aValue;
        } else if (aType == XMLElement::TYPE_END) {
          size_t aSlash = mSection.rfind(L'/');
          if (aSlash == TeskString::npos && mSection.empty()) {
            Fail(L"Unexpected End");
            return false;
          }
          TeskString aName = aSlash == TeskString::npos ? mSection : mSection.substr(aSlash + 1);
          if (aValue != aName) {
            Fail(L"End '" + aValue + L"' Doesn't Match Start '" + aName + L"'");
            return false;
          }
          mSection.erase(aSlash == TeskString::npos ? 0 : aSlash);
        } else {
          Fail(L"Unexpected '>'");
          return false;
        }
        aDone = true;
        continue;
      } else if (c == L'/' && aType == XMLElement::TYPE_START && aValue.empty()) {
        aType = XMLElement::TYPE_END;
      } else if (c == L'?' && aType == XMLElement::TYPE_START && aValue.empty()) {
        aType = XMLElement::TYPE_INSTRUCTION;
      } else if (IsXMLSpace(c)) {
        if (!aValue.empty()) aPendingSpace = true;
        if (aType == XMLElement::TYPE_START && aValue == L"!--") aType = XMLElement::TYPE_COMMENT;
      } else if (c > 32) {
        aTake = true;
      } else {
        Fail(L"Illegal Character");
        return false;
      }
      if (!aTake) continue;

      if (aType == XMLElement::TYPE_NONE) aType = XMLElement::TYPE_TEXT;
      if (aType == XMLElement::TYPE_START) {
        if (aPendingSpace) {
          aPendingSpace = false;
          bool aContinues =
              inAttributes && (inValue || c == L'=') && !(inValue && (!anAttrValue.empty() || aQuoteClosed));
          if (!aContinues) {
            if (!inAttributes) {
              inAttributes = true;
            } else {
              aStorePending();
              anAttrName.clear();
              anAttrValue.clear();
              aLastAttrName.clear();
            }
            inValue = false;
          }
        }
        if (inAttributes) {
          if (c == L'=') {
            inValue = true;
            aQuoteClosed = false;
          } else if (inValue) {
            anAttrValue += c;
          } else {
            anAttrName += c;
          }
        } else {
          aValue += c;
        }
      } else {
        if (aPendingSpace) {
          aValue += L' ';
          aPendingSpace = false;
        }
        aValue += c;
      }
    }

    aValue = XMLDecodeString(aValue);
    if (aType != XMLElement::TYPE_COMMENT) return true;
  }
}

}  // namespace Tesk
