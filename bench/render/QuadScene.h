#pragma once
// The benchmark scene, drawn by the engine and by the bare GL reference alike: 500 alpha-blended,
// textured 40 x 40 quads on a grid over a 1024 x 768 orthographic view, each with its own vertices
// and indices (a strip of four corners), half of them in the first draw group and half GUI objects, at distinct depths. Like
// the pieces of a GUI window, runs of 25 quads in draw order share one of four 64 x 64 textures.
// Both sides draw in the draw list's order, so they bind the same textures in the same sequence.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

inline constexpr int kSceneObjects = 500;
inline constexpr int kSceneWidth = 1024;
inline constexpr int kSceneHeight = 768;
inline constexpr float kQuadSize = 40.0f;
inline constexpr int kSceneTextures = 4;
inline constexpr int kSceneTextureSide = 64;

inline float QuadX(int i) { return static_cast<float>(i % 25) * 40.0f; }
inline float QuadY(int i) { return static_cast<float>(i / 25) * 38.0f; }
// Distinct for every quad (37 and 500 share no factor).
inline float QuadDepth(int i) { return static_cast<float>((i * 37) % kSceneObjects) - 250.0f; }
inline bool QuadIsGui(int i) { return i % 2 != 0; }

// Texel (x, y) of scene texture t as an ARGB word: a colour of its own, alpha fading across it.
inline uint32_t SceneTexel(int t, int x, int y) {
  static const uint32_t kColours[kSceneTextures] = {0xE04030u, 0x30A0E0u, 0x60D040u, 0xF0C020u};
  const uint32_t alpha = 0x40u + static_cast<uint32_t>((x + y) * 0xBF / (2 * (kSceneTextureSide - 1)));
  const uint32_t shade = static_cast<uint32_t>(y % 8 == 0 ? 0x202020 : 0);
  return (alpha << 24) | (kColours[t] ^ shade);
}

// The draw list's order: first-group quads nearest first, then GUI quads farthest first. The
// camera sits at the origin looking along +z, so a quad's view depth is minus its z.
inline std::vector<int> SceneDrawOrder() {
  std::vector<int> order(kSceneObjects);
  for (int i = 0; i < kSceneObjects; ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [](int a, int b) {
    if (QuadIsGui(a) != QuadIsGui(b)) return !QuadIsGui(a);
    const float da = -QuadDepth(a), db = -QuadDepth(b);
    return QuadIsGui(a) ? da > db : da < db;
  });
  return order;
}

// The texture of quad i: the next of the four for every 25 quads drawn.
inline int QuadTexture(int i) {
  static const std::vector<int> textures = [] {
    std::vector<int> by_quad(kSceneObjects);
    const std::vector<int> order = SceneDrawOrder();
    for (int rank = 0; rank < kSceneObjects; ++rank) by_quad[order[rank]] = (rank / 25) % kSceneTextures;
    return by_quad;
  }();
  return textures[i];
}

// Waits until the GL context current on this thread has drawn everything (glFinish); kept with
// the reference so that only it includes GL.
void FinishGl();

// The bare GL reference (BareGlReference.cpp): its own hidden window of the scene's size and its
// own GL context with the scene's textures, arrays and states set up once.
class BareScene {
 public:
  BareScene();
  ~BareScene();
  BareScene(const BareScene&) = delete;
  BareScene& operator=(const BareScene&) = delete;

  // False, with the reason, when no window or GL context can be made.
  bool Open(std::string& error);
  // Makes its context current, draws one frame and presents it; with `finish`, waits until it is
  // drawn.
  void Draw(bool finish);

 private:
  struct Parts;
  std::unique_ptr<Parts> m_parts;
};
