// What a program hands GL each frame, one line a draw: the states it is drawn under (depth,
// alpha test, blending, culling, lighting, scissor), each texture unit's texture (name, size,
// internal format, filters, levels, combiner, whether its matrix is the identity), and the range of
// positions and texture coordinates the draw reads; and each clear, upload, glFinish and glFlush.
// The walk's bare reference draws in a context of its own (ctx= tells them apart), so one run
// shows both sides of a screen, and the game's "screen in front" lines mark where each begins.
//
// Built by hand, loaded beside the walk (it slows every draw: read the states, not the times):
//   cc -O1 -shared -fPIC -o /tmp/gl-draw-log.so bench/tools/gl-draw-log.c -ldl -lGL
//   xvfb-run -a -s "-screen 0 1280x1024x24" env SDL_VIDEODRIVER=x11 LD_PRELOAD=/tmp/gl-draw-log.so
//       build/release/bin/bench_app --benchmark_filter=Walk 2> draws.log      (one command line;
//   VELMARIS_WALK_STOP_AFTER=location_2 ends the walk after the office's screens)
// The lines go to stderr, or to the file GL_DRAW_LOG names. Swaps are not seen: SDL calls them
// through a pointer of its own.
#define _GNU_SOURCE
#include <GL/gl.h>
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

static FILE* out;

static FILE* Out(void) {
  if (out == NULL) {
    const char* path = getenv("GL_DRAW_LOG");
    out = path != NULL ? fopen(path, "w") : NULL;
    if (out == NULL) out = stderr;
  }
  return out;
}

#define REAL(name)                  \
  static __typeof__(name)* real;    \
  if (real == NULL) real = (__typeof__(name)*)dlsym(RTLD_NEXT, #name)

static int On(GLenum cap) { return glIsEnabled(cap) ? 1 : 0; }

static GLint Get(GLenum what) {
  GLint value = 0;
  glGetIntegerv(what, &value);
  return value;
}

static void Unit(int unit) {
  glActiveTexture(GL_TEXTURE0 + unit);
  if (!glIsEnabled(GL_TEXTURE_2D)) {
    fprintf(Out(), " | u%d off", unit);
    return;
  }
  GLint width = 0, height = 0, format = 0, min = 0, mag = 0, levels = 0, mode = 0, rgb = 0, alpha = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, &levels);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_COMBINE_RGB, &rgb);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, &alpha);
  GLfloat m[16];
  glGetFloatv(GL_TEXTURE_MATRIX, m);
  const int identity = m[0] == 1 && m[5] == 1 && m[10] == 1 && m[15] == 1 && m[1] == 0 && m[4] == 0 &&
                       m[12] == 0 && m[13] == 0;
  fprintf(Out(), " | u%d tex=%d %dx%d format=%x min=%x mag=%x max_level=%d env=%x combine=%x/%x matrix=%s", unit,
          Get(GL_TEXTURE_BINDING_2D), width, height, format, min, mag, levels, mode, rgb, alpha,
          identity ? "identity" : "set");
}

static void Ranges(GLsizei count, GLenum type, const void* indices) {
  const char* positions = NULL;
  const char* coords = NULL;
  glGetPointerv(GL_VERTEX_ARRAY_POINTER, (void**)&positions);
  glClientActiveTexture(GL_TEXTURE0);
  glGetPointerv(GL_TEXTURE_COORD_ARRAY_POINTER, (void**)&coords);
  const GLint position_stride = Get(GL_VERTEX_ARRAY_STRIDE) ? Get(GL_VERTEX_ARRAY_STRIDE) : 12;
  const GLint coord_stride = Get(GL_TEXTURE_COORD_ARRAY_STRIDE) ? Get(GL_TEXTURE_COORD_ARRAY_STRIDE) : 8;
  const int with_coords = coords != NULL && glIsEnabled(GL_TEXTURE_COORD_ARRAY);
  float lo[4] = {1e30f, 1e30f, 1e30f, 1e30f}, hi[4] = {-1e30f, -1e30f, -1e30f, -1e30f};
  if (positions == NULL || indices == NULL) return;
  for (GLsizei i = 0; i < count; ++i) {
    const unsigned k = type == GL_UNSIGNED_INT ? ((const unsigned*)indices)[i] : ((const unsigned short*)indices)[i];
    const float* p = (const float*)(positions + (size_t)k * position_stride);
    const float* t = with_coords ? (const float*)(coords + (size_t)k * coord_stride) : p;
    const float v[4] = {p[0], p[1], with_coords ? t[0] : 0, with_coords ? t[1] : 0};
    for (int c = 0; c < 4; ++c) {
      if (v[c] < lo[c]) lo[c] = v[c];
      if (v[c] > hi[c]) hi[c] = v[c];
    }
  }
  fprintf(Out(), "  x %.1f..%.1f y %.1f..%.1f u %.3f..%.3f v %.3f..%.3f\n", lo[0], hi[0], lo[1], hi[1], lo[2], hi[2],
          lo[3], hi[3]);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
  REAL(glDrawElements);
  const GLint active = Get(GL_ACTIVE_TEXTURE);
  fprintf(Out(), "draw %d ctx=%p depth=%d/%d alpha_test=%d blend=%d %x/%x cull=%d lighting=%d scissor=%d",
          count, (void*)glXGetCurrentContext(), On(GL_DEPTH_TEST), Get(GL_DEPTH_WRITEMASK), On(GL_ALPHA_TEST),
          On(GL_BLEND), Get(GL_BLEND_SRC), Get(GL_BLEND_DST), On(GL_CULL_FACE), On(GL_LIGHTING), On(GL_SCISSOR_TEST));
  Unit(0);
  Unit(1);
  glActiveTexture((GLenum)active);
  fprintf(Out(), "\n");
  Ranges(count, type, indices);
  real(mode, count, type, indices);
}

void glClear(GLbitfield mask) {
  REAL(glClear);
  fprintf(Out(), "clear %x ctx=%p scissor=%d\n", mask, (void*)glXGetCurrentContext(), On(GL_SCISSOR_TEST));
  real(mask);
}

void glTexImage2D(GLenum target, GLint level, GLint internal, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels) {
  REAL(glTexImage2D);
  fprintf(Out(), "upload level %d %dx%d format=%x\n", level, width, height, internal);
  real(target, level, internal, width, height, border, format, type, pixels);
}

void glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                     GLenum type, const void* pixels) {
  REAL(glTexSubImage2D);
  fprintf(Out(), "upload part of level %d %dx%d\n", level, width, height);
  real(target, level, x, y, width, height, format, type, pixels);
}

void glFinish(void) {
  REAL(glFinish);
  fprintf(Out(), "finish\n");
  real();
}

void glFlush(void) {
  REAL(glFlush);
  fprintf(Out(), "flush\n");
  real();
}
