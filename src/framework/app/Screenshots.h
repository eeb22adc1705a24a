// Where screenshots go and what the next one is called: "image<N>.png" in the
// "_screenshots" folder of the per-user data folder, N one past the largest taken.
#pragma once

#include <string>

namespace Tesk {

// The folder's path with a trailing '/', made when missing; empty when the
// per-user data folder cannot be found (no screenshot is taken then).
std::string GetScreenshotFolder();

// One more than the largest N of the "image<N>.png" files in theDir (a path
// ending in '/', or empty for the working folder); 1 when there is none.
int NextScreenshotNumber(const std::string& theDir);

}  // namespace Tesk
