#pragma once
// The particle benchmark scene, drawn by the engine and by the bare GL reference alike: five effects
// of 256 live particles each, spread over a 1024 x 768 orthographic view, every sprite a soft 32 x 32
// glow blended by its source alpha. The engine's side builds it from particle files; the reference
// draws billboards the engine built for it beforehand, frame by frame.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CameraHandle;
class ParticleSystem;

inline constexpr int kEffects = 5;
inline constexpr uint32_t kEffectParticles = 256;
inline constexpr int kParticleSceneWidth = 1024;
inline constexpr int kParticleSceneHeight = 768;
inline constexpr int kSpriteSide = 32;
inline constexpr float kFrameTime = 1.0f / 60.0f;
inline constexpr int kWarmUpFrames = 120;  // until every effect holds all its particles

// The scene's orthographic camera over 1024 x 768, made by the camera manager.
CameraHandle* MakeSceneCamera();

// A soft white disc, alpha falling to the rim, as RGBA bytes, top row first.
std::vector<uint8_t> SpriteTexels();

// Mounts the sprite as the "texture" resource "bench\effect" (a folder under the temporary folder)
// and makes the five running effects, drawn through `camera`, warmed up to their full count.
std::vector<std::unique_ptr<ParticleSystem>> MakeEffects(CameraHandle* camera);

// One frame of billboards as the reference draws them: per effect its vertices (position, normal,
// RGBA colour bytes, texture coordinates) and its triangle indices.
struct BillboardVertex {
  float x, y, z;
  float nx, ny, nz;
  uint8_t rgba[4];
  float u, v;
};
struct BillboardFrame {
  std::vector<BillboardVertex> vertices[kEffects];
  std::vector<uint16_t> indices[kEffects];
};
// `frames` frames of the scene after its warm-up, built by the engine on the headless device.
std::vector<BillboardFrame> RecordBillboards(int frames);

// REFERENCE ONLY: the recorded billboards drawn straight through SDL and GL in a window and
// context of their own, with the engine's states, one recorded frame after the other.
class BareParticles {
 public:
  explicit BareParticles(std::vector<BillboardFrame> frames);
  ~BareParticles();
  BareParticles(const BareParticles&) = delete;
  BareParticles& operator=(const BareParticles&) = delete;

  // False, with the reason, when no window or GL context can be made.
  bool Open(std::string& error);
  // Makes its context current, draws the next frame and presents it.
  void Draw();

 private:
  struct Parts;
  std::unique_ptr<Parts> m_parts;
};
