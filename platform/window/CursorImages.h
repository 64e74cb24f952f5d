#pragma once
// The program's five mouse cursors, drawn by code into RGBA pixels (rows top first): the arrow
// (113), the speech bubble (114), the clock (115), the magnifying lens (116) and the empty,
// fully transparent one (117). The numbers are the ones the GUI names its cursors by.

#include <cstdint>
#include <vector>

namespace window {

struct CursorImage {
  int width = 0;
  int height = 0;
  int hot_x = 0;
  int hot_y = 0;
  std::vector<uint8_t> rgba;  // width x height x 4
};

inline constexpr int kFirstCursorImage = 113;
inline constexpr int kLastCursorImage = 117;

// The image of a cursor number; an empty image (no pixels) for a number the program lacks.
CursorImage DrawCursorImage(int resource_id);

}  // namespace window
