// The darkness of locations 9 and 12, with a light around the mouse.
#pragma once

namespace ANIM {
class AnimationBasic;
}
namespace Tesk {
class Graphics;
}

class Spotlight {
 public:
  // theDarkness 0 (none) to 255.
  static void draw(Tesk::Graphics* g, int theMouseX, int theMouseY, int theDarkness, ANIM::AnimationBasic* theAnim);

  // The light's pulse phase, radians.
  static float s_sinFloatVal;
};
