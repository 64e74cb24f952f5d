// REFERENCE ONLY: a bare OpenGL 2.1 program drawing the same scene as the engine's render-pass
// benchmark, straight through SDL and GL with no engine in between, the way a careful hand would:
// every state set once, then per quad its matrix, its texture and its own arrays, drawn as a strip
// of four corners as the GUI's quads are. Its window has
// the scene's size from the start, and the stage combines texture and vertex colour as the
// engine's textured draw does. Nothing else may include GL or SDL above the platform layer.

#include <GL/gl.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/render/BareGlWindow.h"
#include "bench/render/QuadScene.h"

void FinishGl() { glFinish(); }

namespace {

struct RefVertex {
  float x, y, z;
  float nx, ny, nz;
  uint8_t rgba[4];
  float u, v;
};

struct RefQuad {
  RefVertex vertices[4];
  uint16_t indices[4];
};

void MakeTextures(GLuint (&names)[kSceneTextures]) {
  glGenTextures(kSceneTextures, names);
  std::vector<uint32_t> texels(kSceneTextureSide * kSceneTextureSide);
  for (int t = 0; t < kSceneTextures; ++t) {
    for (int y = 0; y < kSceneTextureSide; ++y) {
      for (int x = 0; x < kSceneTextureSide; ++x) texels[y * kSceneTextureSide + x] = SceneTexel(t, x, y);
    }
    glBindTexture(GL_TEXTURE_2D, names[t]);
    // Blended shaders filter through a mip chain, as the engine then does.
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSceneTextureSide, kSceneTextureSide, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 texels.data());
  }
}

std::vector<RefQuad> MakeQuads() {
  std::vector<RefQuad> quads(kSceneObjects);
  for (RefQuad& q : quads) {
    for (int i = 0; i < 4; ++i) {
      const float u = static_cast<float>(i & 1), v = static_cast<float>(i >> 1);
      q.vertices[i] = RefVertex{u * kQuadSize, (1.0f - v) * kQuadSize, 0, 0, 0, -1, {255, 255, 255, 255}, u, v};
    }
    const uint16_t indices[4] = {0, 1, 2, 3};
    std::copy(indices, indices + 4, q.indices);
  }
  return quads;
}

}  // namespace

struct BareScene::Parts {
  BareGlWindow window;
  bool open = false;
  GLuint textures[kSceneTextures] = {};
  std::vector<RefQuad> quads = MakeQuads();
  std::vector<int> order = SceneDrawOrder();
};

BareScene::BareScene() : m_parts(std::make_unique<Parts>()) {}

BareScene::~BareScene() {
  Parts& p = *m_parts;
  if (!p.open) return;
  p.window.MakeCurrent();
  glDeleteTextures(kSceneTextures, p.textures);
}

bool BareScene::Open(std::string& error) {
  Parts& p = *m_parts;
  if (!p.window.Open(kSceneWidth, kSceneHeight, error)) return false;
  p.open = true;
  MakeTextures(p.textures);
  SetBareSceneStates(kSceneWidth, kSceneHeight);
  return true;
}

void BareScene::Draw(bool finish) {
  Parts& p = *m_parts;
  p.window.MakeCurrent();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (int i : p.order) {
    const RefQuad& q = p.quads[i];
    glLoadIdentity();
    glTranslatef(QuadX(i), QuadY(i), QuadDepth(i));
    glBindTexture(GL_TEXTURE_2D, p.textures[QuadTexture(i)]);
    glVertexPointer(3, GL_FLOAT, sizeof(RefVertex), &q.vertices[0].x);
    glNormalPointer(GL_FLOAT, sizeof(RefVertex), &q.vertices[0].nx);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(RefVertex), q.vertices[0].rgba);
    glTexCoordPointer(2, GL_FLOAT, sizeof(RefVertex), &q.vertices[0].u);
    glDrawElements(GL_TRIANGLE_STRIP, 4, GL_UNSIGNED_SHORT, q.indices);
  }
  p.window.Swap();
  if (finish) glFinish();  // wait until llvmpipe has drawn the frame
}
