// Linked into every program of the sanitizer build. AddressSanitizer tracks the dynamic TLS blocks
// of dlopened libraries by intercepting __tls_get_addr; with this glibc it records blocks of
// Mesa's driver threads that no longer exist, and the leak checker dies reading them ("Tracer
// caught signal 11") at the end of a run that opened OpenGL or FluidSynth. Without the
// interception those blocks are simply not scanned; every leak check still runs.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
