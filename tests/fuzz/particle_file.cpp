// Fuzz target: arbitrary bytes read as a particle file. A file that reads is written back to the
// same bytes, and a system made from it runs a second of frames on the headless device without a
// single vertex that is no number.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/window/window.h"
#include "source/particle/ParticleFile.h"
#include "source/particle/ParticleSystem.h"
#include "source/particle/ParticleSystemInstance.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderObject.h"
#include "tests/support/FuzzInput.h"
#include "tests/support/QuietLog.h"

namespace {

constexpr std::size_t kMaxInput = 4096;

void StartHeadless() {
  static bool started = false;
  if (started) return;
  started = true;
  setenv("VELMARIS_HEADLESS", "1", 1);
  window::CreateMainWindow("Velmaris");
  RenderManager::GetInstance();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  QuietLog();
  cMemoryStream file = FuzzInputStream(data, size);
  ParticleFileData read;
  if (!ReadParticleFile(file, "fuzz", read)) return 0;
  cMemoryStream written;
  if (!WriteParticleFile(written, read) || written.GetSize() > size) __builtin_trap();
  for (uint32_t i = 4; i < written.GetSize(); ++i) {
    if (written.GetData()[i] != data[i]) __builtin_trap();
  }

  StartHeadless();
  file.Seek(0, 0);
  ParticleSystem system(file, "fuzz");
  system.GetRenderObject()->SetVisible(true);
  system.SetLooping(true);
  system.SetEmitting(true);
  for (int frame = 0; frame < 20; ++frame) {
    system.Update(0.05f);
    system.GetInstance()->Render();
  }
  const uint32_t drawn = static_cast<uint32_t>(system.GetInstance()->GetDrawList().size());
  VertexBuffer_D3D7* vertices = system.GetRenderObject()->GetVertices();
  for (uint32_t i = 0; i < 4 * drawn; ++i) {
    const Vertex* v = vertices->GetVertex(i);
    if (!std::isfinite(v->x) || !std::isfinite(v->y) || !std::isfinite(v->z)) __builtin_trap();
  }
  return 0;
}
