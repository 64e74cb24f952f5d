#pragma once
// One stroke of a picture recipe (<fill>, <gradient>, <circle>, <ellipse>, <rect>, <polygon>,
// <hills>, <streaks>, <grain>) painted on a canvas; a RecipeError for an unknown stroke.

class Canvas;
class XmlNode;

void PaintStroke(Canvas& canvas, const XmlNode& stroke);
