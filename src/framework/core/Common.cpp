#include "core/Common.h"

#include <cctype>
#include <cwchar>
#include <cwctype>
#include <vector>

#include "platform/files/FileManager.h"

namespace Tesk {

std::string gAppDataFolder;

namespace {

bool IsSeparator(int theChar) { return theChar == '/' || theChar == '\\'; }

// Last position of '/' or '\\', or -1.
int LastSeparator(const std::string& thePath) {
  size_t aPos = thePath.find_last_of("/\\");
  return aPos == std::string::npos ? -1 : static_cast<int>(aPos);
}

template <typename Char>
int HexDigit(Char theChar) {
  if (theChar >= '0' && theChar <= '9') return theChar - '0';
  if (theChar >= 'A' && theChar <= 'F') return theChar - 'A' + 10;
  if (theChar >= 'a' && theChar <= 'f') return theChar - 'a' + 10;
  return -1;
}

}  // namespace

std::string StringToUpper(const std::string& theString) {
  std::string aResult(theString);
  for (char& aChar : aResult) aChar = static_cast<char>(std::toupper(static_cast<unsigned char>(aChar)));
  return aResult;
}

std::wstring StringToUpper(const std::wstring& theString) {
  std::wstring aResult(theString);
  for (wchar_t& aChar : aResult) aChar = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(aChar)));
  return aResult;
}

std::string StringToLower(const std::string& theString) {
  std::string aResult(theString);
  for (char& aChar : aResult) aChar = static_cast<char>(std::tolower(static_cast<unsigned char>(aChar)));
  return aResult;
}

std::wstring StringToWString(const std::string& theString) {
  std::wstring aResult(theString.size(), L'\0');
  for (size_t i = 0; i < theString.size(); ++i) aResult[i] = static_cast<unsigned char>(theString[i]);
  return aResult;
}

TeskString StringToTeskString(const std::string& theString) { return StringToWString(theString); }

std::string WStringToString(const std::wstring& theString) {
  std::string aResult(theString.size(), '\0');
  for (size_t i = 0; i < theString.size(); ++i) {
    aResult[i] = static_cast<char>(static_cast<uint32_t>(theString[i]) & 0xFF);
  }
  return aResult;
}

std::string TeskStringToString(const TeskString& theString) { return WStringToString(theString); }
TeskString WStringToTeskString(const std::wstring& theString) { return theString; }
std::wstring TeskStringToWString(const TeskString& theString) { return theString; }

bool StringToInt(std::wstring theString, int* theIntVal) {
  *theIntVal = 0;
  if (theString.empty()) return false;
  size_t anIndex = 0;
  bool isNegative = false;
  if (theString[0] == L'-') {
    isNegative = true;
    anIndex = 1;
  }
  // Unsigned so that long texts wrap instead of overflowing.
  uint32_t aValue = 0;
  uint32_t aBase = 10;
  for (; anIndex < theString.size(); ++anIndex) {
    wchar_t aChar = theString[anIndex];
    if (aBase == 10 && aChar >= L'0' && aChar <= L'9') {
      aValue = aValue * 10 + static_cast<uint32_t>(aChar - L'0');
    } else if (aBase == 16 && HexDigit(aChar) >= 0) {
      aValue = aValue * 16 + static_cast<uint32_t>(HexDigit(aChar));
    } else if ((aChar == L'x' || aChar == L'X') && anIndex == 1 && aValue == 0) {
      aBase = 16;
    } else {
      *theIntVal = 0;
      return false;
    }
  }
  if (isNegative) aValue = 0u - aValue;
  *theIntVal = static_cast<int>(aValue);
  return true;
}

bool StringToDouble(std::wstring theString, double* theDoubleVal) {
  *theDoubleVal = 0.0;
  if (theString.empty()) return false;
  size_t anIndex = 0;
  bool isNegative = false;
  if (theString[0] == L'-') {
    isNegative = true;
    anIndex = 1;
  }
  double aValue = 0.0;
  bool inFraction = false;
  double aFactor = 0.1;
  for (; anIndex < theString.size(); ++anIndex) {
    wchar_t aChar = theString[anIndex];
    if (aChar >= L'0' && aChar <= L'9') {
      int aDigit = aChar - L'0';
      if (inFraction) {
        aValue += aDigit * aFactor;
        aFactor /= 10.0;
      } else {
        aValue = aValue * 10.0 + aDigit;
      }
    } else if (aChar == L'.' && !inFraction) {
      inFraction = true;
    } else {
      *theDoubleVal = 0.0;
      return false;
    }
  }
  *theDoubleVal = isNegative ? -aValue : aValue;
  return true;
}

TeskString XMLDecodeString(const TeskString& theString) {
  TeskString aResult;
  for (size_t i = 0; i < theString.size(); ++i) {
    wchar_t aChar = theString[i];
    if (aChar == L'&') {
      size_t anEnd = theString.find(L';', i);
      if (anEnd != TeskString::npos) {
        TeskString aName = theString.substr(i + 1, anEnd - i - 1);
        if (aName == L"lt")
          aChar = L'<';
        else if (aName == L"amp")
          aChar = L'&';
        else if (aName == L"gt")
          aChar = L'>';
        else if (aName == L"quot")
          aChar = L'"';
        else if (aName == L"apos")
          aChar = L'\'';
        else if (aName == L"nbsp")
          aChar = L' ';
        else if (aName == L"cr")
          aChar = L'\n';
        i = anEnd;
      }
    }
    aResult += aChar;
  }
  return aResult;
}

std::string vformat(const char* theFormat, va_list theArgs) {
  // Most texts fit the first buffer; longer ones are measured and formatted again.
  char aBuffer[160];
  va_list aCopy;
  va_copy(aCopy, theArgs);
  int aLength = std::vsnprintf(aBuffer, sizeof(aBuffer), theFormat, aCopy);
  va_end(aCopy);
  if (aLength < 0) return std::string();
  if (aLength < static_cast<int>(sizeof(aBuffer))) return std::string(aBuffer, static_cast<size_t>(aLength));
  std::vector<char> aHeap(static_cast<size_t>(aLength) + 1);
  va_copy(aCopy, theArgs);
  std::vsnprintf(aHeap.data(), aHeap.size(), theFormat, aCopy);
  va_end(aCopy);
  return std::string(aHeap.data(), static_cast<size_t>(aLength));
}

std::wstring vformat(const wchar_t* theFormat, va_list theArgs) {
  // The wide formatter cannot say how much room it needs, so the room doubles
  // until the text fits. A text that never fits (a conversion error) gives "".
  const size_t kLargestAttempt = size_t(1) << 24;
  std::vector<wchar_t> aBuffer(160);
  for (;;) {
    va_list aCopy;
    va_copy(aCopy, theArgs);
    int aLength = std::vswprintf(aBuffer.data(), aBuffer.size(), theFormat, aCopy);
    va_end(aCopy);
    if (aLength >= 0 && static_cast<size_t>(aLength) < aBuffer.size()) {
      return std::wstring(aBuffer.data(), static_cast<size_t>(aLength));
    }
    if (aBuffer.size() >= kLargestAttempt) return std::wstring();
    aBuffer.resize(aBuffer.size() * 2);
  }
}

std::string StrFormat(const char* theFormat, ...) {
  va_list anArgs;
  va_start(anArgs, theFormat);
  std::string aResult = vformat(theFormat, anArgs);
  va_end(anArgs);
  return aResult;
}

std::wstring StrFormat(const wchar_t* theFormat, ...) {
  va_list anArgs;
  va_start(anArgs, theFormat);
  std::wstring aResult = vformat(theFormat, anArgs);
  va_end(anArgs);
  return aResult;
}

std::string GetAppDataFolder() { return gAppDataFolder; }

void SetAppDataFolder(const std::string& thePath) {
  gAppDataFolder = thePath;
  if (!gAppDataFolder.empty() && !IsSeparator(gAppDataFolder.back())) gAppDataFolder += '/';
}

std::string GetFileName(const std::string& thePath, bool noExtension) {
  int aSlash = LastSeparator(thePath);
  if (noExtension) {
    size_t aDot = thePath.rfind('.');
    if (aDot != std::string::npos && static_cast<int>(aDot) > aSlash) {
      return thePath.substr(static_cast<size_t>(aSlash + 1), aDot - static_cast<size_t>(aSlash + 1));
    }
  }
  if (aSlash == -1) return thePath;
  return thePath.substr(static_cast<size_t>(aSlash + 1));
}

std::string GetFileDir(const std::string& thePath, bool withSlash) {
  int aSlash = LastSeparator(thePath);
  if (aSlash == -1) return std::string();
  return thePath.substr(0, static_cast<size_t>(withSlash ? aSlash + 1 : aSlash));
}

std::string RemoveTrailingSlash(const std::string& thePath) {
  if (!thePath.empty() && IsSeparator(thePath.back())) return thePath.substr(0, thePath.size() - 1);
  return thePath;
}

std::string GetPathFrom(const std::string& theRelPath, const std::string& theDir) {
  if (theRelPath.size() >= 2 && theRelPath[1] == ':') return theRelPath;
  const bool hasBackslash =
      theRelPath.find('\\') != std::string::npos || theDir.find('\\') != std::string::npos;
  const char aSeparator = hasBackslash ? '\\' : '/';

  std::string aDrive;
  std::string aDir = theDir;
  if (aDir.size() >= 2 && aDir[1] == ':') {
    aDrive = aDir.substr(0, 2);
    aDir = aDir.substr(2);
  }
  if (!aDir.empty() && !IsSeparator(aDir.back())) aDir += aSeparator;

  std::string aRest = theRelPath;
  while (!aDir.empty()) {
    size_t aSlash = aRest.find_first_of("/\\");
    if (aSlash == std::string::npos) break;
    std::string aPart = aRest.substr(0, aSlash);
    aRest = aRest.substr(aSlash + 1);
    if (aPart == ".") continue;
    if (aPart == "..") {
      // aDir ends with a separator; its last component lies before it.
      size_t aLastEnd = aDir.size() - 1;
      size_t aPrev = aLastEnd == 0 ? std::string::npos : aDir.find_last_of("/\\", aLastEnd - 1);
      size_t aLastStart = aPrev == std::string::npos ? 0 : aPrev + 1;
      if (aDir.compare(aLastStart, aLastEnd - aLastStart, "..") == 0 && aLastEnd - aLastStart == 2) {
        aDir += "..";
        aDir += aSeparator;
      } else {
        aDir = aDir.substr(0, aLastStart);
      }
      continue;
    }
    if (aPart.empty()) {
      aDir = std::string(1, aSeparator);
      break;
    }
    aDir += aPart;
    aDir += aSeparator;
    break;
  }

  std::string aResult = aDrive + aDir + aRest;
  for (char& aChar : aResult) {
    if (IsSeparator(aChar)) aChar = aSeparator;
  }
  return aResult;
}

bool AllowAllAccess(const std::string& theFileName) {
  FSRef aRef;
  if (FSPathMakeRef(theFileName.c_str(), &aRef, nullptr) != 0) return false;
  FSCatalogInfo anInfo;
  if (FSGetCatalogInfo(&aRef, kFSCatInfoPermissions, &anInfo, nullptr) != 0) return false;
  anInfo.permissions.mode |= 0777;
  return FSSetCatalogInfo(&aRef, kFSCatInfoPermissions, &anInfo) == 0;
}

void MkDir(const std::string& theDir) {
  // A relative path starts from the working folder.
  FSRef aParent;
  aParent.mPath = ".";
  size_t aStart = 0;
  for (;;) {
    size_t aSlash = theDir.find_first_of("/\\", aStart);
    std::string aName =
        theDir.substr(aStart, aSlash == std::string::npos ? std::string::npos : aSlash - aStart);
    if (aSlash == std::string::npos) {
      if (!aName.empty()) FSCreateDirectoryUnicode(&aParent, aName, nullptr);
      return;
    }
    if (aSlash == 0) {
      aParent.mPath = "/";
    } else if (!aName.empty()) {
      std::string aPrefix = theDir.substr(0, aSlash);
      for (char& aChar : aPrefix) {
        if (aChar == '\\') aChar = '/';
      }
      FSRef aRef;
      if (FSPathMakeRef(aPrefix.c_str(), &aRef, nullptr) == 0) {
        aParent = aRef;
      } else if (FSCreateDirectoryUnicode(&aParent, aName, &aRef) == 0) {
        aParent = aRef;
      }
    }
    aStart = aSlash + 1;
  }
}

bool CheckFor98Mill() { return false; }

}  // namespace Tesk

int wcsicmp(const wchar_t* theLeft, const wchar_t* theRight) {
  for (;; ++theLeft, ++theRight) {
    wint_t aLeft = std::towlower(static_cast<wint_t>(*theLeft));
    wint_t aRight = std::towlower(static_cast<wint_t>(*theRight));
    if (aLeft != aRight) return static_cast<int>(aLeft) - static_cast<int>(aRight);
    if (aLeft == 0) return 0;
  }
}

int32_t _wtol(const wchar_t* theString) {
  while (std::iswspace(static_cast<wint_t>(*theString))) ++theString;
  bool isNegative = false;
  if (*theString == L'+' || *theString == L'-') {
    isNegative = *theString == L'-';
    ++theString;
  }
  uint32_t aValue = 0;
  for (; *theString >= L'0' && *theString <= L'9'; ++theString) {
    aValue = aValue * 10 + static_cast<uint32_t>(*theString - L'0');
  }
  return static_cast<int32_t>(isNegative ? 0u - aValue : aValue);
}

int _wtoi(const wchar_t* theString) { return _wtol(theString); }
