// A small pull reader for the resource manifest, reading through the archive-aware file API.
#pragma once

#include <string>
#include <vector>

#include "core/Common.h"
#include "resources/PFile.h"
#include "resources/XMLElement.h"

namespace Tesk {

class XMLParser {
 public:
  XMLParser();
  XMLParser(const XMLParser&) = delete;
  XMLParser& operator=(const XMLParser&) = delete;
  virtual ~XMLParser();

  bool OpenFile(const std::string& theFilename);
  // The next element; false at the end of the input or on a failure (HasFailed tells which).
  bool NextElement(XMLElement* theElement);

  bool HasFailed() const { return mHasFailed; }
  TeskString GetErrorText() const { return mErrorText; }
  int GetCurrentLineNum() const { return mLineNum; }
  std::string GetFileName() const { return mFileName; }

 private:
  void Fail(const TeskString& theErrorText);
  void Init();
  bool AddAttribute(XMLElement* theElement, const TeskString& theName, const TeskString& theValue);

  // Each gives false when no character could be read, with *error set when that was bad input.
  bool GetAsciiChar(wchar_t* theChar, bool* error);
  bool GetUTF8Char(wchar_t* theChar, bool* error);
  bool GetUTF16Char(wchar_t* theChar, bool* error);

  std::string mFileName;
  TeskString mErrorText;
  int mLineNum = 0;
  PFILE* mFile = nullptr;
  bool mHasFailed = false;
  std::vector<wchar_t> mPushBack;  // the last one is read first
  TeskString mSection;
  bool (XMLParser::*mGetCharFunc)(wchar_t*, bool*);
  bool mFirstChar = false;
  bool mByteSwap = false;
};

}  // namespace Tesk
