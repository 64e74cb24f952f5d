#pragma once
// The program: start-up in its fixed order, the main loop, and shut-down.

// The whole life of the program. Exit status: 0 after a normal run, a "-pack" run and a second
// instance; 1 when the window cannot be created or a pack cannot be written.
int VelmarisMain(int argc, char** argv);

// VelmarisMain without installing the crash handler (tests run it in-process). Every singleton is
// destroyed before it returns.
int RunVelmaris(int argc, char** argv);

class cApplication;
// Lets the render system place and size the application's window when it sets its video mode, and
// read the window's client size.
void ConnectRenderWindow(cApplication& application);

// Timers, input, the render system in the application's window, sound and the GUI connected to the
// frame, each after what it needs; false when no graphics device could be made in any video mode.
bool StartEngineServices(cApplication& application);
