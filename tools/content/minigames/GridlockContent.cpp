// The gridlock's form: a board of 6 x 6 cells with a gap in its right-hand frame, and the blocks
// "board_0", "board_1", ... each sliding along its row or column by the frames of its animation
// "main" (one cell a frame; frame 0 at the left or top end). Blocks are drawn a little inside
// their cells, so blocks in neighbouring cells never touch. Block 0, the red one, slides on out
// through the gap.

#include <string>

#include "tools/content/ContentStep.h"
#include "tools/content/minigames/DragGameContent.h"

namespace {

constexpr int kSide = 6;
constexpr float kCell = 72.0f;
constexpr float kInset = 4.0f;
constexpr float kLeft = 296.0f, kTop = 616.0f;  // the cells' outer corner, upper left
constexpr float kFrame = 24.0f;
constexpr const char* kFolder = "minigames\\location_12\\gridlock\\";

struct Block {
  bool vertical;
  int length;  // cells
  int line;    // its row (across) or column (up and down), from the top or the left
  int pos;     // its first cell on the line at the start
  int stripe;  // its colour in the blocks' picture (0 is red)
};

// Block 0 must leave through the gap at the end of row 2.
constexpr Block kBlocks[] = {
    {false, 2, 2, 0, 0}, {true, 3, 2, 0, 1}, {false, 2, 5, 1, 2}, {true, 2, 4, 1, 3},
    {false, 2, 0, 3, 2}, {true, 2, 5, 3, 1}, {false, 2, 3, 3, 3}, {true, 2, 0, 3, 2},
};
// Block 0's track runs two cells past the board, out through the gap.
constexpr int kExitCells = 2;
constexpr int kStripes = 4;

ModelFileData BlockModel(const Block& b, bool freed_block) {
  const float along = kCell * static_cast<float>(b.length) - 2.0f * kInset;
  const float across = kCell - 2.0f * kInset;
  const float v0 = static_cast<float>(b.stripe) / kStripes, v1 = static_cast<float>(b.stripe + 1) / kStripes;
  const uint32_t stops = static_cast<uint32_t>(kSide - b.length + (freed_block ? kExitCells : 0));
  if (b.vertical) {
    // Frame f: the block's top cell is row f; one frame on is one cell down.
    const float x = kLeft + kCell * static_cast<float>(b.line) + kInset;
    const float y = kTop - kCell * static_cast<float>(b.length) + kInset;
    return MakeSlidingBlock(x, y, across, along, 0.0f, -kCell, stops, 0.5f, v0, 1.0f, v1);
  }
  const float x = kLeft + kInset;
  const float y = kTop - kCell * static_cast<float>(b.line + 1) + kInset;
  return MakeSlidingBlock(x, y, along, across, kCell, 0.0f, stops, 0.0f, v0, 0.5f, v1);
}

bool MakeGridlock(const ContentPaths& paths) {
  if (!HasMiniGames(paths)) return true;
  const std::string folder = kFolder;
  const float board = kCell * kSide + 2.0f * kFrame;
  bool ok = WriteGameModel(paths, folder + "gridlock_board",
                           MakePictureQuad(kLeft - kFrame, kTop + kFrame - board, board, board));
  std::string models = "      <model name=\"gridlock_board\"/>\n";
  std::string shaders = "      <shader name=\"gridlock_board\" diffuse=\"textures\\minigames\\gridlock_board\" clamp=\"true\"/>\n";
  std::string pieces = "      <window name=\"gridlock_board\" model=\"gridlock_board\"/>\n";
  for (std::size_t i = 0; i < std::size(kBlocks); ++i) {
    const Block& b = kBlocks[i];
    const std::string name = "board_" + std::to_string(i);
    const ModelFileData model = BlockModel(b, i == 0);
    ok = ok && WriteGameModel(paths, folder + name, model);
    models += "      <model name=\"" + name + "\"><state name=\"main\" frames=\"0 " + std::to_string(model.frame_count - 1) +
              "\" loop=\"false\" speed=\"1\"/></model>\n";
    shaders += "      <shader name=\"" + name + "\" diffuse=\"textures\\minigames\\gridlock_blocks\" clamp=\"true\"/>\n";
    pieces += "      <window name=\"" + name + "\" model=\"" + name + "\" vert=\"" + (b.vertical ? "1" : "0") + "\" pos=\"" +
              std::to_string(b.pos) + "\"/>\n";
  }
  FormParts parts{models, shaders, pieces};
  ok = ok && AddGameRule(paths, folder, "gridlock", {112.0f, 700.0f, 800.0f, 52.0f}, parts);
  const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n"
                          "  <resource name=\"minigames\\location_12\\gridlock\\gridlock\" type=\"form\">\n    <models>\n" +
                          parts.models + "    </models>\n    <shaders>\n" + parts.shaders + "    </shaders>\n    <form>\n" + parts.pieces +
                          "    </form>\n  </resource>\n</resources>\n";
  return ok && WriteGameForm(paths, "gridlock", xml);
}

}  // namespace

VELMARIS_CONTENT_STEP("minigame_gridlock", 63, MakeGridlock);
