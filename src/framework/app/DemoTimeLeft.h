// The time-left overlay of demo playback: an image of the recording's remaining time that
// CalculateDemoTimeLeft keeps up to date and the frame drawing puts on screen while a demo plays.
#pragma once

namespace Tesk {

class DDImage;

// Null until the first CalculateDemoTimeLeft with a display.
extern DDImage* gDemoTimeLeftImage;
// Frees the image and its font; for the application's destructor.
void DeleteDemoTimeLeftImage();

}  // namespace Tesk
