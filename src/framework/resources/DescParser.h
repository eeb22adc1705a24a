// Reader of descriptor files: cuts the text into commands, tokenises each into data
// elements, keeps the defines and hands every command to HandleCommand.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/Common.h"
#include "resources/DataElement.h"
#include "resources/ListDataElement.h"
#include "resources/SingleDataElement.h"

namespace Tesk {

class DescParser {
 public:
  DescParser();
  DescParser(const DescParser&) = delete;
  DescParser& operator=(const DescParser&) = delete;
  virtual ~DescParser();

  // Reports a failure; the base keeps the message in mErrorText. Always false.
  virtual bool Error(const std::string& theError);
  // The value defined under theName (any letter case), or null.
  virtual DataElement* Dereference(const TeskString& theName);
  virtual bool HandleCommand(const ListDataElement& theParams) = 0;

  // Reads and executes a whole descriptor file; true when every command succeeded.
  bool LoadDescriptor(const std::string& theFileName);
  // Executes a descriptor held in memory, bytes as a file would hold them.
  bool LoadDescriptorBytes(const std::string& theBytes);
  bool ParseDescriptorLine(const TeskString& theDescriptorLine);
  bool ParseToList(const TeskString& theText, ListDataElement* theList, bool expectListEnd, int* theIndexPtr);

  bool IsImmediate(const TeskString& theString);
  TeskString Unquote(const TeskString& theString);

  bool GetValues(ListDataElement* theSource, ListDataElement* theValues);
  bool DataToString(DataElement* theSource, TeskString* theString);
  TeskString DataElementToString(DataElement* theSource);
  bool DataToList(DataElement* theSource, ListDataElement* theValues);
  bool DataToStringVector(DataElement* theSource, std::vector<TeskString>* theStrings);
  bool DataToDoubleVector(DataElement* theSource, std::vector<double>* theDoubles);
  bool DataToIntVector(DataElement* theSource, std::vector<int>* theInts);

  int mSeparatorFlags;
  std::string mErrorText;
  int mLineNumber;
  TeskString mCommandText;
  // Defines by upper-cased name; the parser owns the values.
  std::map<TeskString, std::unique_ptr<DataElement>> mDefineMap;

 protected:
  // Stores theValue (taking it) under the upper-cased name, replacing any old value.
  void SetDefine(const TeskString& theName, DataElement* theValue);

 private:
  bool RunCommands(const TeskString& theText);

  // Lists open in the tokeniser; bounded so that hostile nesting cannot exhaust the stack.
  int mListDepth = 0;
};

}  // namespace Tesk
