#pragma once
// Finer hands for the mini-game wins that turn pieces about a centre or slide them: drags paced
// so that every frame sees a small step, and the colours the wins look for.

#include <string>

#include "tests/e2e/GameScreen.h"

namespace e2e {

// The point `radius` from `centre` at `degrees` clockwise from straight up (the GUI's y is upward).
Point OnCircle(Point centre, float radius, float degrees);

// Presses at `degrees` on the circle about `centre`, turns the pointer along it by `turn` degrees
// (clockwise when positive) in steps of a few degrees, and lets go. With a `reach`, the pointer
// first goes straight out to that radius and turns there, finer than a small circle allows.
void TurnAbout(GameScreen& screen, Point centre, float radius, float degrees, float turn, float reach = 0.0f);

// Presses at `from`, moves to `to` in `steps` even steps with the button down, and lets go; each
// press and release stands still long enough that a slow frame sees it apart from the moves.
void PacedDrag(GameScreen& screen, Point from, Point to, int steps);

// The frame once the area shows the same in two reads in a row (a game opened from its place may
// still be fading in), keeping it; the last frame read when it never settles.
WindowPixels SettledFrame(GameScreen& screen, const std::string& name, Area area);

// Dark steel or bronze: a clock's hand.
bool DarkHand(int r, int g, int b);
// The red paint of an arrow.
bool Red(int r, int g, int b);

}  // namespace e2e
