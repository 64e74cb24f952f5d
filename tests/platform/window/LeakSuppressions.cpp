// The GL driver that SDL loads for an OpenGL window keeps a few blocks for the life of the process;
// the leak checker is told they belong to the system, not to us. The driver has no frame pointers,
// so the allocation stacks are taken the slow way to reach SDL's frames.

extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libSDL2-2.0.so\n"
         "leak:libEGL\n"
         "leak:libGLX\n";
}
