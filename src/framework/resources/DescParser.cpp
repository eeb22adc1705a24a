#include "resources/DescParser.h"

#include "core/Common.h"
#include "resources/PFile.h"

namespace Tesk {

namespace {

const wchar_t k_Cr = 13;
const wchar_t k_Lf = 10;
// Far deeper than any font needs.
const int k_MaxListDepth = 256;

// The whole file, through the archive-aware file API; false when it cannot be opened.
bool ReadFileBytes(const std::string& theFileName, std::string* theBytes) {
  PFILE* aFile = p_fopen(theFileName.c_str(), "rb");
  if (!aFile) return false;
  char aBuffer[4096];
  int aCount;
  while ((aCount = p_fread(aBuffer, 1, sizeof(aBuffer), aFile)) > 0) theBytes->append(aBuffer, aCount);
  p_fclose(aFile);
  return true;
}

// A byte-order mark (either order) selects 16-bit units, read little-endian whatever
// the mark's order; otherwise each byte is one character. The whole file is taken,
// however long, and an odd last byte of a 16-bit file is ignored.
TeskString DecodeDescriptor(const std::string& theBytes) {
  TeskString aText;
  if (theBytes.size() >= 2) {
    unsigned aMark = static_cast<unsigned char>(theBytes[0]) | (static_cast<unsigned char>(theBytes[1]) << 8);
    if (aMark == 0xFEFF || aMark == 0xFFFE) {
      size_t aUnits = (theBytes.size() - 2) / 2;
      aText.reserve(aUnits);
      for (size_t i = 0; i < aUnits; ++i) {
        unsigned aUnit = static_cast<unsigned char>(theBytes[2 + 2 * i]) |
                         (static_cast<unsigned char>(theBytes[3 + 2 * i]) << 8);
        aText.push_back(static_cast<wchar_t>(aUnit));
      }
      return aText;
    }
  }
  return StringToTeskString(theBytes);
}

bool IsQuote(wchar_t theChar) { return theChar == L'\'' || theChar == L'"'; }

}  // namespace

DescParser::DescParser() : mSeparatorFlags(1), mLineNumber(0) {}

DescParser::~DescParser() = default;

bool DescParser::Error(const std::string& theError) {
  mErrorText = theError;
  return false;
}

DataElement* DescParser::Dereference(const TeskString& theName) {
  auto anIt = mDefineMap.find(StringToUpper(theName));
  return anIt == mDefineMap.end() ? nullptr : anIt->second.get();
}

void DescParser::SetDefine(const TeskString& theName, DataElement* theValue) {
  mDefineMap[StringToUpper(theName)].reset(theValue);
}

bool DescParser::LoadDescriptor(const std::string& theFileName) {
  mLineNumber = 0;
  mErrorText.clear();
  std::string aBytes;
  if (!ReadFileBytes(theFileName, &aBytes)) return false;
  return RunCommands(DecodeDescriptor(aBytes));
}

bool DescParser::LoadDescriptorBytes(const std::string& theBytes) {
  mLineNumber = 0;
  mErrorText.clear();
  return RunCommands(DecodeDescriptor(theBytes));
}

bool DescParser::RunCommands(const TeskString& theText) {
  int aLineCounter = 0;
  bool inComment = false;
  bool atLineStart = true;
  bool inSingleQuotes = false;
  bool inDoubleQuotes = false;
  bool escapePending = false;
  mCommandText.clear();

  auto aRunCommand = [&]() -> bool {
    bool aResult = true;
    if (!mCommandText.empty()) aResult = ParseDescriptorLine(mCommandText);
    mCommandText.clear();
    inComment = false;
    atLineStart = true;
    inSingleQuotes = false;
    inDoubleQuotes = false;
    escapePending = false;
    return aResult;
  };

  for (wchar_t c : theText) {
    if (c == k_Cr) continue;
    if (c == k_Lf) ++aLineCounter;
    if (inComment) {
      if (c == k_Lf) {
        inComment = false;
        atLineStart = true;
      }
      continue;
    }
    if (atLineStart) {
      if (c == L' ' || c == L'\t' || c == k_Lf) continue;
      atLineStart = false;
      if (c == L'#') {
        inComment = true;
        continue;
      }
    }
    if (c == k_Lf) atLineStart = true;
    bool inQuotes = inSingleQuotes || inDoubleQuotes;
    if (inQuotes && c == L'\\' && !escapePending) {
      escapePending = true;
      continue;
    }
    if (c == L'\'' && !inDoubleQuotes && !escapePending) inSingleQuotes = !inSingleQuotes;
    if (c == L'"' && !inSingleQuotes && !escapePending) inDoubleQuotes = !inDoubleQuotes;
    if (c == L';' && (mSeparatorFlags & 1) && !inSingleQuotes && !inDoubleQuotes) {
      if (!aRunCommand()) {
        mLineNumber = 0;
        return false;
      }
      continue;
    }
    if (escapePending) {
      mCommandText.push_back(L'\\');
      escapePending = false;
    }
    if (mCommandText.empty()) mLineNumber = aLineCounter + 1;
    mCommandText.push_back(c);
  }
  bool aResult = aRunCommand();
  mLineNumber = 0;
  return aResult;
}

bool DescParser::ParseDescriptorLine(const TeskString& theDescriptorLine) {
  ListDataElement aList;
  if (!ParseToList(theDescriptorLine, &aList, false, nullptr)) return false;
  if (aList.mElements.empty()) return true;
  if (aList.mElements[0]->mIsList) {
    Error("Missing Command");
    return false;
  }
  return HandleCommand(aList);
}

bool DescParser::ParseToList(const TeskString& theText, ListDataElement* theList, bool expectListEnd,
                             int* theIndexPtr) {
  int aLocalIndex = 0;
  int& aPos = theIndexPtr ? *theIndexPtr : aLocalIndex;
  bool inSingleQuotes = false;
  bool inDoubleQuotes = false;
  bool escapePending = false;
  SingleDataElement* aToken = nullptr;

  auto anAdd = [&](wchar_t c) {
    if (!aToken) {
      aToken = new SingleDataElement();
      theList->mElements.push_back(aToken);
    }
    aToken->mString.push_back(c);
  };

  while (aPos >= 0 && static_cast<size_t>(aPos) < theText.size()) {
    wchar_t c = theText[aPos++];
    bool isSeparator = c == L' ' || c == L'\t' || c == k_Lf || c == L',';
    if (escapePending) {
      anAdd(c);
      escapePending = false;
      continue;
    }
    if (c == L'\'' && !inDoubleQuotes) {
      inSingleQuotes = !inSingleQuotes;
    } else if (c == L'"' && !inSingleQuotes) {
      inDoubleQuotes = !inDoubleQuotes;
    } else if (c == L'\\') {
      escapePending = true;
      continue;
    }
    if (inSingleQuotes || inDoubleQuotes) {
      anAdd(c);
    } else if (c == L')') {
      if (expectListEnd) return true;
      Error("Unexpected List End");
      return false;
    } else if (c == L'(') {
      if (aToken || mListDepth >= k_MaxListDepth) {
        Error("Unexpected List Start");
        return false;
      }
      auto aNewList = std::make_unique<ListDataElement>();
      ++mListDepth;
      bool aNested = ParseToList(theText, aNewList.get(), true, &aPos);
      --mListDepth;
      if (!aNested) return false;
      theList->mElements.push_back(aNewList.release());
    } else if (isSeparator) {
      aToken = nullptr;
    } else {
      anAdd(c);
    }
  }

  if (inSingleQuotes) {
    Error("Unterminated Single Quotes");
    return false;
  }
  if (inDoubleQuotes) {
    Error("Unterminated Double Quotes");
    return false;
  }
  if (expectListEnd) {
    Error("Unterminated List");
    return false;
  }
  return true;
}

bool DescParser::IsImmediate(const TeskString& theString) {
  if (theString.empty()) return false;
  wchar_t c = theString[0];
  return (c >= L'0' && c <= L'9') || c == L'-' || c == L'+' || IsQuote(c);
}

TeskString DescParser::Unquote(const TeskString& theString) {
  if (theString.empty() || !IsQuote(theString[0])) return theString;
  wchar_t aQuote = theString[0];
  TeskString aResult;
  bool aSawQuote = false;
  for (wchar_t c : theString) {
    if (c != aQuote) {
      aResult.push_back(c);
      aSawQuote = false;
    } else if (aSawQuote) {
      aResult.push_back(c);
    } else {
      aSawQuote = true;
    }
  }
  return aResult;
}

bool DescParser::GetValues(ListDataElement* theSource, ListDataElement* theValues) {
  // Anything already there is dropped, owned as it is by the list.
  theValues->Clear();
  for (DataElement* anElement : theSource->mElements) {
    if (!anElement) continue;
    if (anElement->mIsList) {
      auto aChild = std::make_unique<ListDataElement>();
      if (!GetValues(static_cast<ListDataElement*>(anElement), aChild.get())) return false;
      theValues->mElements.push_back(aChild.release());
      continue;
    }
    const TeskString& aString = static_cast<SingleDataElement*>(anElement)->mString;
    if (aString.empty()) continue;
    if (IsQuote(aString[0])) {
      theValues->mElements.push_back(new SingleDataElement(Unquote(aString)));
    } else if (IsImmediate(aString)) {
      theValues->mElements.push_back(new SingleDataElement(aString));
    } else {
      DataElement* aDefine = Dereference(aString);
      if (!aDefine) {
        Error("Unable to Dereference \"" + TeskStringToString(aString) + "\"");
        return false;
      }
      theValues->mElements.push_back(aDefine->Duplicate());
    }
  }
  return true;
}

bool DescParser::DataToString(DataElement* theSource, TeskString* theString) {
  theString->clear();
  if (!theSource || theSource->mIsList) return false;
  const TeskString& aString = static_cast<SingleDataElement*>(theSource)->mString;
  DataElement* aDefine = Dereference(aString);
  if (aDefine) {
    if (aDefine->mIsList) return false;
    *theString = Unquote(static_cast<SingleDataElement*>(aDefine)->mString);
  } else {
    *theString = Unquote(aString);
  }
  return true;
}

TeskString DescParser::DataElementToString(DataElement* theSource) {
  if (!theSource) return TeskString();
  if (!theSource->mIsList) return static_cast<SingleDataElement*>(theSource)->mString;
  TeskString aResult = L"(";
  ListDataElement* aList = static_cast<ListDataElement*>(theSource);
  for (size_t i = 0; i < aList->mElements.size(); ++i) {
    if (i > 0) aResult += L", ";
    aResult += DataElementToString(aList->mElements[i]);
  }
  aResult += L")";
  return aResult;
}

bool DescParser::DataToList(DataElement* theSource, ListDataElement* theValues) {
  if (!theSource) return false;
  if (theSource->mIsList) return GetValues(static_cast<ListDataElement*>(theSource), theValues);
  DataElement* aDefine = Dereference(static_cast<SingleDataElement*>(theSource)->mString);
  if (!aDefine || !aDefine->mIsList) return false;
  *theValues = *static_cast<ListDataElement*>(aDefine);
  return true;
}

bool DescParser::DataToStringVector(DataElement* theSource, std::vector<TeskString>* theStrings) {
  theStrings->clear();
  if (!theSource) return false;
  ListDataElement aResolved;
  ListDataElement* aList = &aResolved;
  if (theSource->mIsList) {
    if (!GetValues(static_cast<ListDataElement*>(theSource), &aResolved)) return false;
  } else {
    const TeskString& aName = static_cast<SingleDataElement*>(theSource)->mString;
    DataElement* aDefine = Dereference(aName);
    if (!aDefine) {
      Error("Unable to Dereference \"" + TeskStringToString(aName) + "\"");
      return false;
    }
    if (!aDefine->mIsList) return false;
    aList = static_cast<ListDataElement*>(aDefine);
  }
  for (DataElement* anElement : aList->mElements) {
    if (!anElement || anElement->mIsList) {
      theStrings->clear();
      return false;
    }
    theStrings->push_back(static_cast<SingleDataElement*>(anElement)->mString);
  }
  return true;
}

bool DescParser::DataToDoubleVector(DataElement* theSource, std::vector<double>* theDoubles) {
  theDoubles->clear();
  std::vector<TeskString> aStrings;
  if (!DataToStringVector(theSource, &aStrings)) return false;
  for (const TeskString& aString : aStrings) {
    double aValue;
    if (!StringToDouble(aString, &aValue)) return false;
    theDoubles->push_back(aValue);
  }
  return true;
}

bool DescParser::DataToIntVector(DataElement* theSource, std::vector<int>* theInts) {
  theInts->clear();
  std::vector<TeskString> aStrings;
  if (!DataToStringVector(theSource, &aStrings)) return false;
  for (const TeskString& aString : aStrings) {
    int aValue;
    if (!StringToInt(aString, &aValue)) return false;
    theInts->push_back(aValue);
  }
  return true;
}

}  // namespace Tesk
