// The framework display tests' helpers, built into this binary as well: reading the screen and
// closing a window through the X server, and the leak and race suppressions for the system's
// display libraries.
#include "framework/appdisplay/LeakSuppressions.cpp"
#include "framework/appdisplay/TsanSuppressions.cpp"
#include "framework/appdisplay/XScreen.cpp"
