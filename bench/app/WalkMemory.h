#pragma once
// The memory figures of the walk: the process's resident size and its peak, the decoded bytes of
// the pictures a frame drew, and a trace of picture decodes by name (which screen each came on),
// to find a picture decoded twice.

#include <map>
#include <string>
#include <vector>

#include "source/render/FrameStats.h"

// From /proc/self/status: the resident size now, and its peak, in MB.
double ResidentMb();
double PeakResidentMb();
// Starts the peak afresh from the resident size now, and gives the heap's free pages back: the
// bench's own work between screens (the frame kept as a picture, the bare reference) is not put
// down to the game.
void ForgetBenchMemory();
// The peak of the whole walk, the bench's own work included, in MB.
double WholePeakResidentMb();

// The resident size by owner, from /proc/self/smaps and the allocator's own figures: the heap in
// use and its free pages still resident, other anonymous memory (the renderer's code and thread
// stacks), shared memory (the window's pictures with the display) and each mapped file. A Markdown
// table, figures in MB.
std::string ResidentByOwner();

// The decoded pictures that textures keep in the CPU, each once: their total for textures already
// on the device and for those not built yet, and the largest by name. A Markdown table.
std::string PicturesHeld();

// Decoded bytes, each picture once, of the pictures behind the textures the frame drew (its layers
// must have been recorded), in MB.
double PicturesDrawnMb(const FrameStats& stats);

// Counts each decode of a "texture" resource while it lives, under the screen being reached.
class DecodeTrace {
 public:
  DecodeTrace();
  ~DecodeTrace();
  DecodeTrace(const DecodeTrace&) = delete;
  DecodeTrace& operator=(const DecodeTrace&) = delete;

  // Decodes from now on are put down to reaching `screen`.
  void SetScreen(const std::string& screen) { m_screen = screen; }
  std::size_t Decodes() const { return m_decodes; }
  // Names decoded more than once, with the screens on the way to which each decode came.
  std::map<std::string, std::vector<std::string>> Repeated() const;
  // A Markdown table of Repeated(), or a line saying there was none.
  std::string Table() const;

 private:
  static void Observe(const std::string& name);

  std::map<std::string, std::vector<std::string>> m_by_name;
  std::string m_screen = "start";
  std::size_t m_decodes = 0;
};
