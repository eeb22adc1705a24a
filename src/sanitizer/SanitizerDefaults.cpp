// The runtime options every program of a sanitized build starts with; the build links this into
// each of them (see the top CMakeLists.txt). ASAN_OPTIONS is read after these and overrides them.
//
// intercept_tls_get_addr=0: GCC 12's runtime records each dynamic TLS block that
// __tls_get_addr hands out, for the leak checker to scan. It takes a block that starts 16 bytes
// into a page for one with a header of the older glibc in front, and reads the range from there:
// from its own allocator's chunk header, a bogus range. The leak checker scans it at exit and
// crashes ("Tracer caught signal 11"). The OpenGL driver's libLLVM has such a block, taken from
// the heap, in each thread that uses it; one in 256 of the heap's 48-byte chunks starts there, so
// now and then a program that made a GL context crashed at exit. Nothing is lost by leaving the
// blocks unrecorded: the leak checker counts every allocation the dynamic loader makes, those
// blocks included, among the live roots.
extern "C" __attribute__((visibility("default"))) const char* __asan_default_options() {
  return "intercept_tls_get_addr=0";
}
