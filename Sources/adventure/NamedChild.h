#pragma once
// Finding a window's named child where the game's data may lack it: a missing child is logged
// once (per parent and name, for the life of the program) and answered with null, so that a
// damaged or older form never stops the game.

#include <string>

class GUIWindow;
class RenderObject;

// The first direct child of that name, or null (logged once).
GUIWindow* FindNamedChild(GUIWindow* parent, const std::string& name);
// The model the child draws, or null (a missing child is logged once).
RenderObject* FindNamedChildModel(GUIWindow* parent, const std::string& name);
// Tests forget what was logged.
void ForgetLoggedMissingChildren();
