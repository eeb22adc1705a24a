// A parenthesised list of descriptor elements; the list owns its elements.
#pragma once

#include <vector>

#include "resources/DataElement.h"

namespace Tesk {

class ListDataElement : public DataElement {
 public:
  ListDataElement();
  ListDataElement(const ListDataElement& theOther);
  ListDataElement& operator=(const ListDataElement& theOther);
  ~ListDataElement() override;

  DataElement* Duplicate() const override { return new ListDataElement(*this); }

  // Deletes every element and empties the vector.
  void Clear();

  std::vector<DataElement*> mElements;
};

}  // namespace Tesk
