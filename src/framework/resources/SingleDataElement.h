// One descriptor token, exactly as written (quotes included).
#pragma once

#include "core/Common.h"
#include "resources/DataElement.h"

namespace Tesk {

class SingleDataElement : public DataElement {
 public:
  SingleDataElement() = default;
  explicit SingleDataElement(const TeskString& theString) : mString(theString) {}
  SingleDataElement(const SingleDataElement& theOther) = default;

  DataElement* Duplicate() const override { return new SingleDataElement(*this); }

  TeskString mString;
};

}  // namespace Tesk
