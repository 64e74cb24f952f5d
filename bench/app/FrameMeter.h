#pragma once
// Measures a screen as the game's loop shows it: frames paced to the display's 60 Hz, each one's
// own time taken from its start until the GL has drawn it, and the whole process's CPU time (every
// thread, llvmpipe's too) over the paced run.

#include <functional>

struct FrameFigures {
  double frame_ms = 0;    // the median frame's time, start to drawn
  double fps = 0;         // what that frame time allows: 1000 / frame_ms
  double paced_fps = 0;   // frames shown a second in the paced run (at most 60)
  double cores = 0;       // CPU seconds a second over the paced run
  double cpu_ms_frame = 0;
};

// Runs `frame` (which must finish its drawing) `settle` times unmeasured, then `frames` times.
FrameFigures MeasureFrames(const std::function<void()>& frame, int settle, int frames);
