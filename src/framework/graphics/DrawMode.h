#pragma once

namespace Tesk {

// Normal composes by alpha; Additive adds with clamping.
enum DrawMode { DRAWMODE_NORMAL = 0, DRAWMODE_ADDITIVE = 1 };

}  // namespace Tesk
