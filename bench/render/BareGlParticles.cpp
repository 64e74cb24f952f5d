// REFERENCE ONLY: a bare OpenGL 2.1 program drawing the particle benchmark's billboards (five
// effects of 256 sprites, built beforehand by the engine frame by frame) straight through SDL and
// GL, textured with the same sprite through the same combiner and blended by source alpha, at the
// same size as the engine. Nothing else may include GL or SDL above the platform layer.

#include <GL/gl.h>

#include <string>
#include <vector>

#include "bench/render/BareGlWindow.h"
#include "bench/render/ParticleScene.h"

struct BareParticles::Parts {
  BareGlWindow window;
  bool open = false;
  GLuint texture = 0;
  std::vector<BillboardFrame> frames;
  std::size_t next = 0;
};

BareParticles::BareParticles(std::vector<BillboardFrame> frames) : m_parts(std::make_unique<Parts>()) {
  m_parts->frames = std::move(frames);
}

BareParticles::~BareParticles() {
  Parts& p = *m_parts;
  if (!p.open) return;
  p.window.MakeCurrent();
  glDeleteTextures(1, &p.texture);
}

bool BareParticles::Open(std::string& error) {
  Parts& p = *m_parts;
  if (p.frames.empty()) {
    error = "no billboards recorded";
    return false;
  }
  if (!p.window.Open(kParticleSceneWidth, kParticleSceneHeight, error)) return false;
  p.open = true;
  glGenTextures(1, &p.texture);
  glBindTexture(GL_TEXTURE_2D, p.texture);
  const std::vector<uint8_t> texels = SpriteTexels();
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSpriteSide, kSpriteSide, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  SetBareSceneStates(kParticleSceneWidth, kParticleSceneHeight);
  return true;
}

void BareParticles::Draw() {
  Parts& p = *m_parts;
  p.window.MakeCurrent();
  const BillboardFrame& frame = p.frames[p.next++ % p.frames.size()];
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (int e = 0; e < kEffects; ++e) {
    const std::vector<BillboardVertex>& v = frame.vertices[e];
    if (v.empty()) continue;
    glVertexPointer(3, GL_FLOAT, sizeof(BillboardVertex), &v[0].x);
    glNormalPointer(GL_FLOAT, sizeof(BillboardVertex), &v[0].nx);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(BillboardVertex), v[0].rgba);
    glTexCoordPointer(2, GL_FLOAT, sizeof(BillboardVertex), &v[0].u);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(frame.indices[e].size()), GL_UNSIGNED_SHORT,
                   frame.indices[e].data());
  }
  p.window.Swap();
}
