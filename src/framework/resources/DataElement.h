// One node of a parsed descriptor command: a token or a parenthesised list.
#pragma once

namespace Tesk {

class DataElement {
 public:
  DataElement() = default;
  DataElement(const DataElement& theOther) = default;
  DataElement& operator=(const DataElement& theOther) = default;
  virtual ~DataElement() = default;

  // A new heap copy of this element and everything below it; the caller owns it.
  virtual DataElement* Duplicate() const = 0;

  bool mIsList = false;
};

}  // namespace Tesk
