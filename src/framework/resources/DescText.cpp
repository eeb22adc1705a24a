#include "resources/DescText.h"

#include <cctype>
#include <cwctype>

namespace Tesk {
namespace DescText {

TeskString Upper(const TeskString& theString) {
  TeskString aResult(theString);
  for (wchar_t& aChar : aResult) aChar = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(aChar)));
  return aResult;
}

std::string Upper(const std::string& theString) {
  std::string aResult(theString);
  for (char& aChar : aResult) aChar = static_cast<char>(std::toupper(static_cast<unsigned char>(aChar)));
  return aResult;
}

std::string Narrow(const TeskString& theString) {
  std::string aResult;
  aResult.reserve(theString.size());
  for (wchar_t aChar : theString) aResult.push_back(static_cast<char>(aChar & 0xFF));
  return aResult;
}

TeskString Widen(const std::string& theString) {
  TeskString aResult;
  aResult.reserve(theString.size());
  for (char aChar : theString) aResult.push_back(static_cast<wchar_t>(static_cast<unsigned char>(aChar)));
  return aResult;
}

bool ToInt(const TeskString& theString, int* theValue) {
  *theValue = 0;
  if (theString.empty()) return false;
  bool aNegative = false;
  bool aHex = false;
  // Accumulated unsigned so that out-of-range input wraps instead of overflowing.
  unsigned int aValue = 0;
  for (size_t i = 0; i < theString.size(); ++i) {
    wchar_t c = theString[i];
    if (i == 0 && c == L'-') {
      aNegative = true;
    } else if (i == 1 && aValue == 0 && !aHex && (c == L'x' || c == L'X') && theString[0] == L'0') {
      aHex = true;
    } else if (c >= L'0' && c <= L'9') {
      aValue = aValue * (aHex ? 16u : 10u) + static_cast<unsigned int>(c - L'0');
    } else if (aHex && c >= L'a' && c <= L'f') {
      aValue = aValue * 16u + static_cast<unsigned int>(c - L'a' + 10);
    } else if (aHex && c >= L'A' && c <= L'F') {
      aValue = aValue * 16u + static_cast<unsigned int>(c - L'A' + 10);
    } else {
      return false;
    }
  }
  if (aNegative) aValue = 0u - aValue;
  *theValue = static_cast<int>(aValue);
  return true;
}

bool ToDouble(const TeskString& theString, double* theValue) {
  *theValue = 0.0;
  if (theString.empty()) return false;
  bool aNegative = false;
  bool aFraction = false;
  double aValue = 0.0;
  double aScale = 0.1;
  for (size_t i = 0; i < theString.size(); ++i) {
    wchar_t c = theString[i];
    if (i == 0 && c == L'-') {
      aNegative = true;
    } else if (c == L'.' && !aFraction) {
      aFraction = true;
    } else if (c >= L'0' && c <= L'9') {
      if (aFraction) {
        aValue += (c - L'0') * aScale;
        aScale /= 10.0;
      } else {
        aValue = aValue * 10.0 + (c - L'0');
      }
    } else {
      return false;
    }
  }
  *theValue = aNegative ? -aValue : aValue;
  return true;
}

}  // namespace DescText
}  // namespace Tesk
