// The music test opens the audio device, which may load the desktop bus library; that library
// keeps a buffer for the life of the process, which is not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
