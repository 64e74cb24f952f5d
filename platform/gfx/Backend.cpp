// Chooses the graphics backend once: OpenGL by default, headless with VELMARIS_HEADLESS=1.

#include "platform/gfx/Backend.h"

#include <cstdlib>
#include <cstring>

namespace gfx::detail {
namespace {

std::shared_ptr<Backend>& Slot() {
  // Never destroyed: managers released at exit, after static objects go, may still reach it.
  static std::shared_ptr<Backend>& backend = *new std::shared_ptr<Backend>();
  return backend;
}

bool HeadlessWanted() {
  const char* value = std::getenv("VELMARIS_HEADLESS");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace

std::shared_ptr<Backend> ActiveBackend() {
  std::shared_ptr<Backend>& backend = Slot();
  if (!backend) backend = HeadlessWanted() ? CreateHeadlessBackend() : CreateOpenGLBackend();
  return backend;
}

void ResetBackend() { Slot().reset(); }

}  // namespace gfx::detail
