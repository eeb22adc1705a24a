// Text conversions the descriptor code needs, kept in one place so that they can
// forward to the core string helpers.
#pragma once

#include <string>

#include "core/Common.h"

namespace Tesk {
namespace DescText {

TeskString Upper(const TeskString& theString);
std::string Upper(const std::string& theString);
// Each character narrowed to its low 8 bits.
std::string Narrow(const TeskString& theString);
// Each byte widened to the character of the same code.
TeskString Widen(const std::string& theString);
// Optional '-', decimal digits, or hexadecimal after "0x"; no '+'. False (and 0) otherwise.
bool ToInt(const TeskString& theString, int* theValue);
// Optional '-', digits, optional '.' and digits; no exponent. False (and 0.0) otherwise.
bool ToDouble(const TeskString& theString, double* theValue);

}  // namespace DescText
}  // namespace Tesk
