// One element of an XML file as the reader returns it.
#pragma once

#include <list>
#include <map>

#include "core/Common.h"

namespace Tesk {

class XMLElement {
 public:
  enum {
    TYPE_NONE,
    TYPE_START,
    TYPE_END,
    TYPE_TEXT,
    TYPE_INSTRUCTION,
    TYPE_COMMENT,
  };
  typedef std::map<TeskString, TeskString> AttributeMap;

  XMLElement() = default;
  // Copies keep their attribute order pointing into their own map.
  XMLElement(const XMLElement& theOther) { *this = theOther; }
  XMLElement& operator=(const XMLElement& theOther) {
    if (this == &theOther) return *this;
    mType = theOther.mType;
    mSection = theOther.mSection;
    mValue = theOther.mValue;
    mInstruction = theOther.mInstruction;
    mAttributes = theOther.mAttributes;
    mAttributeOrder.clear();
    for (AttributeMap::iterator anItr : theOther.mAttributeOrder)
      mAttributeOrder.push_back(mAttributes.find(anItr->first));
    return *this;
  }

  int mType = TYPE_NONE;
  TeskString mSection;      // open start tags when the element began, joined by "/"
  TeskString mValue;        // tag name, text, or instruction target
  TeskString mInstruction;  // what follows an instruction's target
  AttributeMap mAttributes;
  std::list<AttributeMap::iterator> mAttributeOrder;  // in the order they were stored
};

}  // namespace Tesk
