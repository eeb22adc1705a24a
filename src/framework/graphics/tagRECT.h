// The platform-shaped rectangle handed to the display emulation: edges, not a size.
#pragma once

struct tagRECT {
  int left;
  int top;
  int right;
  int bottom;
};
