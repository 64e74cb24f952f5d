#pragma once
// Memory that system libraries keep until the process ends is not ours to free: the leak checker
// is told to leave out the OpenGL driver (Mesa), SDL, X11 and the session bus (SDL asks it about
// the screen saver). Used by every test binary and handed to the program the end-to-end tests run.

inline constexpr const char* kLeakSuppressions =
    "leak:libSDL2-2.0.so\n"
    "leak:libX11.so\n"
    "leak:libdbus-1\n"
    "leak:libEGL\n"
    "leak:libGLX\n"
    "leak:swrast_dri\n"
    "leak:libgallium\n"
    "leak:libLLVM\n"
    "leak:libglapi\n";
