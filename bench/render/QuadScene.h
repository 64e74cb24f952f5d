#pragma once
// The benchmark scene: 500 textured 40 x 40 quads on a grid over a 1024 x 768 orthographic view,
// half of them in the first draw group and half GUI objects, at scattered depths.

#include <cstdint>

inline constexpr int kSceneObjects = 500;
inline constexpr int kSceneWidth = 1024;
inline constexpr int kSceneHeight = 768;
inline constexpr float kQuadSize = 40.0f;

inline float QuadX(int i) { return static_cast<float>(i % 25) * 40.0f; }
inline float QuadY(int i) { return static_cast<float>(i / 25) * 38.0f; }
inline float QuadDepth(int i) { return 10.0f + static_cast<float>((i * 37) % 100); }
