#pragma once
// The scene's four textures and their shaders as the game's data holds them: per texture a 24-bit
// colour TGA and an 8-bit opacity TGA, and a resource list of four blended shaders.

#include <string>

class BenchData;

// False when a file could not be written.
bool AddQuadSceneData(BenchData& data);
// The shader that draws with scene texture t.
std::string QuadShaderName(int t);
