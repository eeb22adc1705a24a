// Symbolic names of the DirectX-shaped result codes that the display and sound emulation return.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Tesk {

struct DXErrorName {
  int32_t mCode;
  const char* mName;
};

// The name of theResult, or its 32-bit value in lower-case hexadecimal when it has none.
std::string GetDirectXErrorString(int32_t theResult);

// The whole table, for checks.
const DXErrorName* GetDirectXErrorNames(size_t* theCount);

}  // namespace Tesk
