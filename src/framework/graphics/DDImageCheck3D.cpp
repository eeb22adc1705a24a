#include "graphics/DDImageCheck3D.h"

namespace Tesk {

Check3DProc gDDImageCheck3D = nullptr;

}  // namespace Tesk
