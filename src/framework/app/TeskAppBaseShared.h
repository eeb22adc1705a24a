// What the application object's source files share: the window property that names the
// application, and the frame-rate overlay that drawing makes and the destructor frees.
#pragma once

#include "platform/carbon/CarbonWindows.h"

namespace Tesk {

constexpr PropertyCreator k_AppCreator = MakeOSType("KWMR");
constexpr PropertyTag k_AppTag = MakeOSType("USRD");

// Presentation is failing; drawing only retries the present until it works again.
extern bool gIsFailing;

class TeskAppBase;

// The frame-rate overlay: redrawn with the frame rate, or with the pointer position, and laid
// over the screen image before a present.
void CalculateFPS();
void FPSDrawCoords(int x, int y);
void DrawFPSOverlay(TeskAppBase* theApp);
void DeleteFPSImage();

}  // namespace Tesk
