#include "resources/ListDataElement.h"

namespace Tesk {

ListDataElement::ListDataElement() { mIsList = true; }

ListDataElement::ListDataElement(const ListDataElement& theOther) : DataElement(theOther) {
  mElements.reserve(theOther.mElements.size());
  for (const DataElement* anElement : theOther.mElements)
    mElements.push_back(anElement ? anElement->Duplicate() : nullptr);
}

ListDataElement& ListDataElement::operator=(const ListDataElement& theOther) {
  if (this == &theOther) return *this;
  Clear();
  DataElement::operator=(theOther);
  for (const DataElement* anElement : theOther.mElements)
    mElements.push_back(anElement ? anElement->Duplicate() : nullptr);
  return *this;
}

ListDataElement::~ListDataElement() { Clear(); }

void ListDataElement::Clear() {
  for (DataElement* anElement : mElements) delete anElement;
  mElements.clear();
}

}  // namespace Tesk
