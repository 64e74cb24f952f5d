// Fuzz target: arbitrary bytes read as a form's element tree, and as a whole form resource's data
// (its scene part, then its tree). A tree that reads is written and read back to the same tree.

#include <cstddef>
#include <cstdint>
#include <string>

#include "gui/include/cFormResource.h"
#include "tests/support/FuzzInput.h"
#include "tests/support/QuietLog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 256 * 1024) return 0;
  QuietLog();
  cMemoryStream input = FuzzInputStream(data, size);
  FormElement root;
  std::string error;
  if (ReadFormElement(input, root, error)) {
    cMemoryStream written;
    if (!WriteFormElement(root, written)) __builtin_trap();
    written.Seek(0, 0);
    FormElement again;
    if (!ReadFormElement(written, again, error) || !(again == root)) __builtin_trap();
  }
  CountedPtr<cStream> entry(new cMemoryStream());
  entry->Write(data, static_cast<uint32_t>(size));
  cResource* form = cFormResource::Create("fuzz\\form", cResourceSource::FromPackEntry(entry, ""));
  form->Load();
  form->Unload();
  delete form;
  return 0;
}
