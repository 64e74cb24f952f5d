// The GL driver that SDL loads for an OpenGL window has no frame pointers: allocation stacks are
// taken the slow way, so that the leak checker's suppressions reach SDL's frames beneath it.

extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
