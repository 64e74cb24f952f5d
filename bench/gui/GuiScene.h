#pragma once
// The GUI benchmarks' screen: 200 windows, each a coloured quad, tiling the 1024 x 768 GUI screen
// in 20 columns and 10 rows.

inline constexpr int kGuiQuads = 200;
inline constexpr int kGuiColumns = 20;
inline constexpr float kGuiScreenWidth = 1024.0f;
inline constexpr float kGuiScreenHeight = 768.0f;
inline constexpr float kGuiQuadWidth = kGuiScreenWidth / kGuiColumns;
inline constexpr float kGuiQuadHeight = kGuiScreenHeight / (kGuiQuads / kGuiColumns);

inline float GuiQuadX(int i) { return static_cast<float>(i % kGuiColumns) * kGuiQuadWidth; }
inline float GuiQuadY(int i) { return static_cast<float>(i / kGuiColumns) * kGuiQuadHeight; }
// A colour of its own for each quad (red, green, blue in 0..1).
inline float GuiQuadRed(int i) { return 0.3f + 0.7f * static_cast<float>(i % 7) / 6.0f; }
inline float GuiQuadGreen(int i) { return 0.3f + 0.7f * static_cast<float>(i % 5) / 4.0f; }
inline float GuiQuadBlue(int i) { return 0.3f + 0.7f * static_cast<float>(i % 3) / 2.0f; }
