// Fuzz target: arbitrary bytes read as a model file. A file that reads must be one the writer
// writes back byte for byte, and the model built from it must animate, bound and pick safely.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "source/model/Model.h"
#include "source/model/ModelFileLoader.h"
#include "source/model/ModelFileReader.h"
#include "source/model/ModelFileWriter.h"
#include "source/render/RenderObject.h"
#include "source/stream/cMemoryStream.h"
#include "tests/support/QuietLog.h"

namespace {
constexpr std::size_t kMaxInput = 256 * 1024;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  QuietLog();
  ModelFileData record;
  std::string error;
  if (ReadModelFile(data, size, record, error) != ModelFileStatus::kRead) return 0;
  if (!IsWritableModel(record)) __builtin_trap();
  cMemoryStream written;
  if (!WriteModelFile(record, written)) __builtin_trap();
  // The same bytes after the size field (the file may carry bytes past its last section, which the
  // writer leaves out).
  if (written.GetSize() > size) __builtin_trap();
  for (uint32_t i = 4; i < written.GetSize(); ++i) {
    if (written.GetData()[i] != data[i]) __builtin_trap();
  }

  CountedPtr<Model> model(new Model("fuzz"));
  BuildModel(std::move(record), *model);
  RenderObject object(model, nullptr, 0);
  const uint32_t last = model->m_first_frame + (model->m_frame_count > 0 ? model->m_frame_count : 1);
  object.GetAnimation().AddAnimation("all", AnimationEntry::FromSpeed("all", model->m_first_frame, last, true, 7.0f));
  object.GetAnimation().SetAnimation("all");
  object.GetAnimation().Play();
  for (int frame = 0; frame < 3; ++frame) {
    object.GetAnimation().SetTime(static_cast<float>(frame) * 1.37f);
    object.Update(true);
  }
  float distance = 0.0f;
  object.PickByRay(Vector3(0.1f, 0.2f, -50.0f), Vector3(0.0f, 0.0f, 100.0f), &distance);
  return 0;
}
