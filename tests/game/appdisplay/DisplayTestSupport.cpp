// The framework display tests' helpers, built into this binary as well: reading the screen and
// closing a window through the X server, X servers of a test's own, programs in processes of their
// own, and the leak and race suppressions for the system's display libraries.
#include "framework/appdisplay/ChildProgram.cpp"
#include "framework/appdisplay/LeakSuppressions.cpp"
#include "framework/appdisplay/TsanSuppressions.cpp"
#include "framework/appdisplay/VirtualScreen.cpp"
#include "framework/appdisplay/XScreen.cpp"
