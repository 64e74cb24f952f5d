#pragma once
// The hands and eyes of the steps that win the mini-games: the colour at a point, a quick click
// for games that run against the clock, a click repeated until the frame shows it was taken, and
// drags paced so that every frame sees a small step (turning a piece about a centre, sliding one).

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
WindowPixels Settled(GameScreen& screen, const std::string& name, Area a, int timeout_ms = kTimeout);
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

// The point `radius` from `centre` at `degrees` clockwise from straight up (the GUI's y is upward).
Point OnCircle(Point centre, float radius, float degrees);

// Presses at `degrees` on the circle about `centre`, turns the pointer along it by `turn` degrees
// (clockwise when positive) in steps of a few degrees, and lets go. With a `reach`, the pointer
// first goes straight out to that radius and turns there, finer than a small circle allows.
void TurnAbout(GameScreen& screen, Point centre, float radius, float degrees, float turn, float reach = 0.0f);

// Presses at `from`, moves to `to` in `steps` even steps with the button down, and lets go; each
// press and release stands still long enough that a slow frame sees it apart from the moves.
void PacedDrag(GameScreen& screen, Point from, Point to, int steps);

// Dark steel or bronze: a clock's hand.
bool DarkHand(int r, int g, int b);
// The red paint of an arrow.
bool Red(int r, int g, int b);

}  // namespace e2e
