// The frame-rate overlay.
#include "core/TeskAppBase.h"
#include "core/TeskAppBaseShared.h"

namespace Tesk {

void CalculateFPS() {}
void FPSDrawCoords(int, int) {}
void DrawFPSOverlay(TeskAppBase*) {}
void DeleteFPSImage() {}

}  // namespace Tesk
