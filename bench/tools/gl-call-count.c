// How many GL calls a program makes a frame, by function: one line a frame and context, from one
// colour clear to the next (both the game and the walk's bare reference clear once a frame), so
// that the game's lines and its bare reference's (ctx= tells them apart) can be set side by side
// per screen with bench/tools/gl-call-count.py. Only the functions the GL backend and the bare
// reference call are counted; a new one called in a frame goes unseen until it is added below.
//
// Built by hand, loaded beside the walk:
//   cc -O1 -shared -fPIC -o /tmp/gl-call-count.so bench/tools/gl-call-count.c -ldl
//   xvfb-run -a -s "-screen 0 1280x1024x24" env SDL_VIDEODRIVER=x11 LD_PRELOAD=/tmp/gl-call-count.so
//       build/release/bin/bench_app --benchmark_filter=Walk 2> calls.log      (one command line)
//   bench/tools/gl-call-count.py calls.log
#define _GNU_SOURCE
#include <GL/gl.h>
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

#define REAL(name)               \
  static __typeof__(name)* real; \
  if (real == NULL) real = (__typeof__(name)*)dlsym(RTLD_NEXT, #name)

enum { kNames = 96 };

// The counts of the frame in progress, one table a context (the walk has two).
struct Frame {
  const void* context;
  const char* names[kNames];
  unsigned counts[kNames];
  int used;
};

static struct Frame frames[4];

static struct Frame* FrameOf(const void* context) {
  for (int i = 0; i < 4; ++i) {
    if (frames[i].context == context) return &frames[i];
  }
  for (int i = 0; i < 4; ++i) {
    if (frames[i].context == NULL) {
      frames[i].context = context;
      return &frames[i];
    }
  }
  return &frames[3];
}

static void Count(const char* name) {
  struct Frame* f = FrameOf(glXGetCurrentContext());
  for (int i = 0; i < f->used; ++i) {
    if (f->names[i] == name) {
      ++f->counts[i];
      return;
    }
  }
  if (f->used < kNames) {
    f->names[f->used] = name;
    f->counts[f->used++] = 1;
  }
}

static void EndFrame(struct Frame* f) {
  unsigned total = 0;
  for (int i = 0; i < f->used; ++i) total += f->counts[i];
  if (total == 0) return;
  fprintf(stderr, "glcalls ctx=%p total=%u", f->context, total);
  for (int i = 0; i < f->used; ++i) fprintf(stderr, " %s=%u", f->names[i], f->counts[i]);
  fprintf(stderr, "\n");
  f->used = 0;
}

void glClear(GLbitfield mask) {
  REAL(glClear);
  if (mask & GL_COLOR_BUFFER_BIT) EndFrame(FrameOf(glXGetCurrentContext()));
  Count("glClear");
  real(mask);
}

#include "gl-call-count.inc"
