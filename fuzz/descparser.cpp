// Feeds arbitrary bytes to the descriptor reader as a whole file, with a command
// handler that exercises the define table and every conversion.
#include "resources/DescParser.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

class FuzzParser : public Tesk::DescParser {
 public:
  bool HandleCommand(const Tesk::ListDataElement& theParams) override {
    Tesk::ListDataElement aCopy(theParams);
    DataElementToString(&aCopy);
    if (aCopy.mElements.size() >= 3) {
      Tesk::DataElement* aValue = aCopy.mElements[2];
      auto* aList = new Tesk::ListDataElement();
      if (aValue->mIsList && GetValues(static_cast<Tesk::ListDataElement*>(aValue), aList)) {
        SetDefine(static_cast<Tesk::SingleDataElement*>(aCopy.mElements[0])->mString, aList);
      } else {
        delete aList;
      }
    }
    for (Tesk::DataElement* anElement : aCopy.mElements) {
      TeskString aString;
      std::vector<int> anInts;
      std::vector<double> aDoubles;
      Tesk::ListDataElement aList;
      DataToString(anElement, &aString);
      DataToIntVector(anElement, &anInts);
      DataToDoubleVector(anElement, &aDoubles);
      DataToList(anElement, &aList);
      if (!anElement->mIsList) Unquote(static_cast<Tesk::SingleDataElement*>(anElement)->mString);
    }
    return aCopy.mElements.size() != 7;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  FuzzParser aParser;
  aParser.LoadDescriptorBytes(std::string(reinterpret_cast<const char*>(theData), theSize));
  return 0;
}
