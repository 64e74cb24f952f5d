#pragma once
// Measures a screen as the game's loop shows it: frames paced to the display's 60 Hz, each one's
// own time taken from its start until the GL has drawn it, its CPU time on the calling thread, and
// the whole process's CPU time (every thread, llvmpipe's too) over the paced run. Two programs
// compared on a shared machine are run in short alternating rounds, so that a busy second weighs on
// both alike and on one round only.

#include <functional>
#include <vector>

struct FrameFigures {
  double frame_ms = 0;    // the median frame's time, start to drawn
  double fps = 0;         // what that frame time allows: 1000 / frame_ms
  double paced_fps = 0;   // frames shown a second in the paced run (at most 60)
  double cores = 0;       // CPU seconds a second over the paced run
  double cpu_ms_frame = 0;
  double main_ms = 0;     // the median frame's CPU time on the calling thread: what the program
                          // and the GL's front end do before the drawing threads take the frame
};

// One paced run: each measured frame's time, and the wall and CPU seconds over them.
struct FrameRound {
  std::vector<double> frame_ms;
  std::vector<double> main_ms;
  double wall_s = 0, cpu_s = 0;
};

// Runs `frame` (which must finish its drawing) `settle` times unmeasured, then `frames` times.
FrameRound RunFrames(const std::function<void()>& frame, int settle, int frames);
// The figures of runs taken together: the median of all their frames, the cores over their time.
FrameFigures Summarise(const std::vector<FrameRound>& rounds);
FrameFigures MeasureFrames(const std::function<void()>& frame, int settle, int frames);

// How fast a program is against its reference over rounds run in turn, reference time over
// program time: the median of each pair of rounds' ratio, and the spread, half the range of the
// ratios once the highest and the lowest are left out (the range of all with fewer than 4 pairs).
struct Ratio {
  double median = 0, spread = 0;
};
Ratio RoundRatio(const std::vector<FrameRound>& program, const std::vector<FrameRound>& reference);
