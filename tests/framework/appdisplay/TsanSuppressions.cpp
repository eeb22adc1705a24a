// Under ThreadSanitizer: the software OpenGL driver's own worker threads synchronise in code
// that is not instrumented, so their fences look like races.
extern "C" const char* __tsan_default_suppressions() { return "race:swrast_dri.so\n"; }
