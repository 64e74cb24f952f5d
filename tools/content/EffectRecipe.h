#pragma once
// What the shader and particle steps share beyond the recipe readers: the soft edges both paint
// and pictures written as TGA through the engine's writer.

#include <string>

#include "source/texture/Image.h"

// Writes the picture; a RecipeError when that fails.
void WriteRecipeTga(const std::string& path, const Image& image);
// How much a soft disc of `radius` (fading over its outer `soft` part) covers at distance d.
float SoftDisc(float d, float radius, float soft);
