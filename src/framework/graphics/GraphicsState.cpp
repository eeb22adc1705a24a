#include "graphics/GraphicsState.h"

namespace Tesk {

Image GraphicsState::mStaticImage;

}  // namespace Tesk
