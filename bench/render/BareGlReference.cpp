// REFERENCE ONLY: a bare OpenGL 2.1 program drawing the same scene as the engine's render-pass
// benchmark, straight through SDL and GL with no engine in between, the way a careful hand would:
// every state set once, then per quad its matrix, its texture and its own arrays. Its window has
// the scene's size from the start, and the stage combines texture and vertex colour as the
// engine's textured draw does. Nothing else may include GL or SDL above the platform layer.

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

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
  uint16_t indices[6];
};

void MakeTextures(GLuint (&names)[kSceneTextures]) {
  glGenTextures(kSceneTextures, names);
  std::vector<uint32_t> texels(kSceneTextureSide * kSceneTextureSide);
  for (int t = 0; t < kSceneTextures; ++t) {
    for (int y = 0; y < kSceneTextureSide; ++y) {
      for (int x = 0; x < kSceneTextureSide; ++x) texels[y * kSceneTextureSide + x] = SceneTexel(t, x, y);
    }
    glBindTexture(GL_TEXTURE_2D, names[t]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
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
    const uint16_t indices[6] = {0, 1, 2, 2, 1, 3};
    std::copy(indices, indices + 6, q.indices);
  }
  return quads;
}

// Texture times vertex colour, for colour and alpha alike; blended by source alpha.
void SetStates() {
  glViewport(0, 0, kSceneWidth, kSceneHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kSceneWidth, 0, kSceneHeight, -1000, 1000);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_TEXTURE);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_PRIMARY_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_MODULATE);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_TEXTURE);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
  glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA, GL_PRIMARY_COLOR);
  glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA, GL_SRC_ALPHA);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glClearColor(0, 0, 0, 1);
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace

struct BareScene::Parts {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  GLuint textures[kSceneTextures] = {};
  std::vector<RefQuad> quads = MakeQuads();
  std::vector<int> order = SceneDrawOrder();
  bool video = false;
};

BareScene::BareScene() : m_parts(std::make_unique<Parts>()) {}

BareScene::~BareScene() {
  Parts& p = *m_parts;
  if (p.context != nullptr) {
    SDL_GL_MakeCurrent(p.window, p.context);
    glDeleteTextures(kSceneTextures, p.textures);
    SDL_GL_DeleteContext(p.context);
  }
  if (p.window != nullptr) SDL_DestroyWindow(p.window);
  if (p.video) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool BareScene::Open(std::string& error) {
  Parts& p = *m_parts;
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  // A virtual display now and then refuses a connection: a second or third try gets one.
  for (int attempt = 0; attempt < 3 && !p.video; ++attempt) p.video = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (!p.video) {
    error = std::string("no SDL video: ") + SDL_GetError();
    return false;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  p.window = SDL_CreateWindow("reference", 0, 0, kSceneWidth, kSceneHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  p.context = p.window ? SDL_GL_CreateContext(p.window) : nullptr;
  if (p.context == nullptr) {
    error = std::string("no GL context: ") + SDL_GetError();
    return false;
  }
  SDL_GL_SetSwapInterval(0);
  MakeTextures(p.textures);
  SetStates();
  return true;
}

void BareScene::Draw(bool finish) {
  Parts& p = *m_parts;
  SDL_GL_MakeCurrent(p.window, p.context);  // nothing to do while it is current
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
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, q.indices);
  }
  SDL_GL_SwapWindow(p.window);
  if (finish) glFinish();  // wait until llvmpipe has drawn the frame
}
