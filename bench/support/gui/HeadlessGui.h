#pragma once
// The GUI on the headless engine for the benchmarks that drive windows: started afresh with the
// log quiet, and taken down again with the engine.

class GUIWindow;

// The headless engine (its main window's client area width x height when given) with the GUI
// system started on a 1024 x 768 camera; answers the "user" window.
GUIWindow* StartHeadlessGui(int client_width = 0, int client_height = 0);
void StopHeadlessGui();
