// The collect-details form: a painted harbour picture cut into 7 x 7 pieces. The board (with its
// hidden places "empty<column>_<row>") lies in the middle; the loose pieces "picture<column>_<row>"
// lie shuffled in two heaps left and right of it, the centre piece already in its place. Above
// the board stand four doors, "door1" to "door4", that fade in as the picture fills; "border"
// (hidden) is the rectangle the pieces are dragged within.

#include <array>
#include <string>

#include "tools/content/ContentStep.h"
#include "tools/content/minigames/CollectDetailsLayout.h"
#include "tools/content/minigames/DragGameContent.h"

namespace {

using namespace collect_details;

constexpr float kBoardFrame = 14.0f;
constexpr const char* kFolder = "minigames\\location_11\\collect_details\\";

std::string Cell(int k) { return std::to_string(k % kSide + 1) + "_" + std::to_string(k / kSide + 1); }

bool MakeCollectDetails(const ContentPaths& paths) {
  if (!HasMiniGames(paths)) return true;
  const std::string folder = kFolder;
  const float board = kPiece * kSide;
  std::string models, shaders, pieces;
  bool ok = true;
  const auto add = [&](const std::string& name, const ModelFileData& model, const std::string& texture,
                       const std::string& extra) {
    ok = ok && WriteGameModel(paths, folder + name, model);
    models += "      <model name=\"" + name + "\"/>\n";
    shaders += "      <shader name=\"" + name + "\" diffuse=\"textures\\minigames\\" + texture + "\" clamp=\"true\"/>\n";
    pieces += "      <window name=\"" + name + "\" model=\"" + name + "\"" + extra + "/>\n";
  };
  add("background",
      MakePictureQuad(kBoardLeft - kBoardFrame, kBoardTop - board - kBoardFrame, board + 2 * kBoardFrame,
                      board + 2 * kBoardFrame),
      "collect_board", "");
  add("border", MakeOutline(40, 40, 944, 688), "collect_board", "");
  for (int d = 0; d < 4; ++d) {
    add("door" + std::to_string(d + 1), MakePictureQuad(kBoardLeft + 8 + static_cast<float>(d) * 110, 616, 100, 140),
        "collect_door", "");
  }
  for (int k = 0; k < kPieces; ++k) {
    const float x = kBoardLeft + kPiece * static_cast<float>(k % kSide);
    const float y = kBoardTop - kPiece * static_cast<float>(k / kSide + 1);
    add("empty" + Cell(k), MakePictureQuad(x, y, kPiece, kPiece), "collect_board", "");
  }
  const std::array<int, kPieces> order = Shuffled();
  int heap = 0;
  for (int k : order) {
    float x = kBoardLeft + kPiece * static_cast<float>(k % kSide);
    float y = kBoardTop - kPiece * static_cast<float>(k / kSide + 1);
    if (k != kCentre) HeapSpot(heap++, x, y);
    const float u0 = static_cast<float>(k % kSide) / kSide, v1 = 1.0f - static_cast<float>(k / kSide) / kSide;
    add("picture" + Cell(k), MakePictureQuad(x, y, kPiece, kPiece, u0, v1 - 1.0f / kSide, u0 + 1.0f / kSide, v1),
        "collect_picture", "");
  }
  // The doors fill the top: the rule stands under the board, between the heaps.
  FormParts parts{models, shaders, pieces};
  ok = ok && AddGameRule(paths, folder, "collect_details", {280.0f, 84.0f, 464.0f, 48.0f}, parts);
  const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n"
                          "  <resource name=\"minigames\\location_11\\collect_details\\collect_details\" type=\"form\">\n"
                          "    <models>\n" +
                          parts.models + "    </models>\n    <shaders>\n" + parts.shaders + "    </shaders>\n    <form>\n" + parts.pieces +
                          "    </form>\n  </resource>\n</resources>\n";
  return ok && WriteGameForm(paths, "collect_details", xml);
}

}  // namespace

VELMARIS_CONTENT_STEP("minigame_collect_details", 63, MakeCollectDetails);
