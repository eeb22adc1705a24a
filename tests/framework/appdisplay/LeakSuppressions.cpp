// Allocations that the system's display libraries keep for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\nleak:libX11.so\nleak:swrast_dri.so\nleak:libGLX_mesa.so\nleak:libLLVM\n"
         "leak:libglapi.so\nleak:libSDL2\n";
}
