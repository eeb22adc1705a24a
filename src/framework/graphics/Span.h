#pragma once

namespace Tesk {

// One horizontal run of a scan-line fill.
struct Span {
  int mY;
  int mX;
  int mWidth;
};

}  // namespace Tesk
