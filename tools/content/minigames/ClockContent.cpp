// The clock's form: a wooden case with its dial, and the minute and hour hands turning about the
// dial's centre over 100 frames of their animation "move" (frame 0 points at twelve).

#include <string>
#include <vector>

#include "tools/content/ContentStep.h"
#include "tools/content/minigames/DragGameContent.h"

namespace {

constexpr float kPivotX = 512.0f, kPivotY = 400.0f;
constexpr const char* kFolder = "minigames\\location_4\\";

struct Hand {
  const char* model;
  float half_width;  // at the pivot
  float length;      // from the pivot to the tip
  float tail;        // behind the pivot
  float u0;          // its half of the hands' picture
};

constexpr Hand kMinute{"clock_minute_hand", 7.0f, 212.0f, 44.0f, 0.0f};
constexpr Hand kHour{"clock_hour_hand", 12.0f, 142.0f, 32.0f, 0.5f};

// A slim spade: the tail, the widest part at the pivot, narrowing to the tip; a fan of triangles
// from the tail's end.
std::vector<ShapePoint> HandShape(const Hand& h) {
  const auto at = [&h](float x, float y) {
    return ShapePoint{x, y, h.u0 + 0.5f * (x + h.half_width) / (2.0f * h.half_width), (y + h.tail) / (h.length + h.tail)};
  };
  const std::vector<ShapePoint> outline = {at(0, -h.tail),
                                           at(h.half_width * 0.6f, -h.tail * 0.6f),
                                           at(h.half_width, 0),
                                           at(h.half_width * 0.5f, h.length * 0.8f),
                                           at(0, h.length),
                                           at(-h.half_width * 0.5f, h.length * 0.8f),
                                           at(-h.half_width, 0),
                                           at(-h.half_width * 0.6f, -h.tail * 0.6f)};
  std::vector<ShapePoint> triangles;
  for (std::size_t i = 1; i + 1 < outline.size(); ++i) triangles.insert(triangles.end(), {outline[0], outline[i + 1], outline[i]});
  return triangles;
}

bool MakeClock(const ContentPaths& paths) {
  if (!HasMiniGames(paths)) return true;
  const std::string folder = kFolder;
  bool ok = WriteGameModel(paths, folder + "clock_case", MakePictureQuad(kPivotX - 280, kPivotY - 280, 560, 560));
  for (const Hand* hand : {&kMinute, &kHour}) {
    ok = ok && WriteGameModel(paths, folder + hand->model,
                              MakeTurningShape(kPivotX, kPivotY, hand->length + 4.0f, HandShape(*hand), true));
  }
  FormParts parts{"      <model name=\"clock_case\"/>\n"
                  "      <model name=\"clock_minute_hand\"><state name=\"move\" frames=\"0 100\" loop=\"false\" speed=\"1\"/></model>\n"
                  "      <model name=\"clock_hour_hand\"><state name=\"move\" frames=\"0 100\" loop=\"false\" speed=\"1\"/></model>\n",
                  "      <shader name=\"clock_case\" diffuse=\"textures\\minigames\\clock_face\" clamp=\"true\"/>\n"
                  "      <shader name=\"clock_minute_hand\" diffuse=\"textures\\minigames\\clock_hands\" clamp=\"true\"/>\n"
                  "      <shader name=\"clock_hour_hand\" diffuse=\"textures\\minigames\\clock_hands\" clamp=\"true\"/>\n",
                  "      <window name=\"clock_case\" model=\"clock_case\"/>\n"
                  "      <window name=\"hour_hand\" model=\"clock_hour_hand\"/>\n"
                  "      <window name=\"minute_hand\" model=\"clock_minute_hand\"/>\n"};
  ok = ok && AddGameRule(paths, folder, "clock", {112.0f, 700.0f, 800.0f, 52.0f}, parts);
  const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n"
                          "  <resource name=\"minigames\\location_4\\clock\" type=\"form\">\n    <models>\n" +
                          parts.models + "    </models>\n    <shaders>\n" + parts.shaders + "    </shaders>\n    <form>\n" +
                          parts.pieces + "    </form>\n  </resource>\n</resources>\n";
  return ok && WriteGameForm(paths, "clock", xml);
}

}  // namespace

VELMARIS_CONTENT_STEP("minigame_clock", 63, MakeClock);
