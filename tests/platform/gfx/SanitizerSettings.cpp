// Memory the OpenGL driver (Mesa) keeps until the process ends is not ours to free: the leak
// checker is told to leave the driver's modules out.

extern "C" const char* __lsan_default_suppressions() {
  return "leak:swrast_dri\n"
         "leak:libgallium\n"
         "leak:libEGL_mesa\n"
         "leak:libGLX_mesa\n"
         "leak:libLLVM\n"
         "leak:libglapi\n"
         "leak:libdbus-1\n";  // SDL on X11 asks the session bus about the screen saver
}
