#pragma once
// What the content tool's drag and turn games are made of: their models (flat pictures, pieces
// turning about a pivot over 100 frames, blocks sliding along a track) written as model files,
// and their forms, written as text, read back and checked as every mini-game form is, then
// stored in "data" as a resource list of their own. Sizes are in GUI units on the 1024 x 768
// screen, y upward; texture coordinates have v = 0 at the bottom of the picture.

#include <string>
#include <vector>

#include "source/model/ModelFile.h"
#include "tools/content/ContentStep.h"

// A point of a flat shape with its place in the picture.
struct ShapePoint {
  float x = 0.0f;
  float y = 0.0f;
  float u = 0.0f;
  float v = 0.0f;
};

// A picture rectangle from (x, y) to (x + width, y + height), showing the picture from (u0, v0)
// to (u1, v1).
ModelFileData MakePictureQuad(float x, float y, float width, float height, float u0 = 0.0f, float v0 = 0.0f,
                              float u1 = 1.0f, float v1 = 1.0f);

// The rectangle's corners joined by triangles of no area: it has the rectangle's box, but is
// neither drawn nor picked (a hidden window's model still counts for picking).
ModelFileData MakeOutline(float x, float y, float width, float height);

// Triangles (three points each, around the pivot in the shape's own frame) turning once round
// the pivot over frames 0 to 100, clockwise or not; the pivot's box reaches `reach` every way, so
// the model's box stays centred on the pivot whatever its pose.
ModelFileData MakeTurningShape(float pivot_x, float pivot_y, float reach, const std::vector<ShapePoint>& triangles,
                               bool clockwise);

// A block of `width` x `height` whose lower-left corner stands at (x, y) at frame 0 and moves by
// (step_x, step_y) a frame, over frames 0 to `stops`; its picture is (u0, v0) to (u1, v1).
ModelFileData MakeSlidingBlock(float x, float y, float width, float height, float step_x, float step_y, uint32_t stops,
                               float u0, float v0, float u1, float v1);

// Writes a model into "data" under its resource name; false with a line on standard error.
bool WriteGameModel(const ContentPaths& paths, const std::string& name, const ModelFileData& model);

// Checks the form resource list (XML text, root <resources>) as a mini-game form and writes it
// as "minigames\<file>.resource" of "data"; false with a line on standard error.
bool WriteGameForm(const ContentPaths& paths, const std::string& file, const std::string& xml);

// Where a game tells its rule: a box in a free part of its area, on the 1024 x 768 screen.
struct RuleBox {
  float x, y, width, height;
};

// The parts of a form the tool writes: its model and shader records and its pieces.
struct FormParts {
  std::string models, shaders, pieces;
};

// Adds the game's rule to its form: a text window "rule" that shows the text "rule_<game>",
// centred in the small font in the box, which is written as the outline model "<game>_rule" of
// the folder (neither drawn nor picked: a click there still leaves the game). False with a line
// on standard error when the box cannot be written.
bool AddGameRule(const ContentPaths& paths, const std::string& folder, const std::string& game, const RuleBox& box,
                 FormParts& parts);

// Whether the game has mini-games at all (a content/minigames folder): the tool makes the drag
// and turn games only for one that has.
bool HasMiniGames(const ContentPaths& paths);

// A number as the text of a form attribute.
std::string FormNumber(float value);
