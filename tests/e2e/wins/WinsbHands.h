#pragma once
// Small hands and eyes shared by the steps that win the lamp room's and the inn's mini-games: the
// colour at a point, a quick click for games that run against the clock, and a click repeated
// until the frame shows it was taken.

#include <string>
#include <vector>

#include "tests/e2e/GameScreen.h"

namespace e2e {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// The frame the window shows now (not kept); width 0 when it cannot be read.
WindowPixels Look(GameScreen& screen);
// Reads only the areas of the window, the rest left black: quick enough to catch a lamp lit for
// a fraction of a second, where a whole frame takes a good part of that.
WindowPixels Glance(GameScreen& screen, const std::vector<Area>& areas);
// The first frame that shows the area as the one before it did, kept: a game still fading in or
// still being drawn is not taken for its board. The last frame read when none settles in time.
WindowPixels Settled(GameScreen& screen, const std::string& name, Area a);
// The mean colour of the square of `half` GUI units about the point.
Rgb ColourAt(const GameScreen& screen, const WindowPixels& pixels, Point at, float half = 4.0f);
// A press and release with short pauses, for games that do not wait for a player's leisure.
void QuickClick(GameScreen& screen, Point at);
// Clicks until the area no longer shows what it showed before the click; false after `tries`
// clicks each waited on for `timeout_ms` left it unchanged. Only for clicks that are harmless
// to repeat when a frame is late, or with a wait long enough that none is.
bool ClickUntilChanged(GameScreen& screen, const std::string& name, Point at, Area watch, int tries = 3,
                       int timeout_ms = 10000);
// The square of `half` GUI units about the point.
constexpr Area Around(Point at, float half) { return {at.x - half, at.y - half, at.x + half, at.y + half}; }

}  // namespace e2e
