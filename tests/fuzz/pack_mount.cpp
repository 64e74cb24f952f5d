// Fuzz target: arbitrary bytes mounted as a pack file, then a few names looked up (which makes
// their entries), then every entry's resource made, loaded and released. A damaged pack must be refused or mount consistently; no input may crash,
// hang, or allocate beyond what its own bytes justify.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "source/Resources/cDataResource.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cResourceManager.h"
#include "source/Resources/cResourceRegistry.h"
#include "tests/support/QuietLog.h"
#include "source/properties/cProperties.h"
#include "source/stream/cMemoryStream.h"

namespace {

// Zlib blocks may state up to 1032 bytes per packed byte: 16 KiB of input stays under ~17 MiB.
constexpr std::size_t kMaxInput = 16 * 1024;


uint32_t Touch(cResource* resource) {
  uint32_t sum = 0;
  auto* data = dynamic_cast<cDataResource*>(resource);
  if (data != nullptr) {
    const uint8_t* bytes = data->GetData().GetData();
    for (uint32_t i = 0; i < data->GetData().GetSize(); ++i) sum += bytes[i];
  }
  for (char c : resource->GetName()) sum += static_cast<uint8_t>(c);
  return sum;
}

void LookUp(const std::string& name) {
  cResource* found = AllResources().Find(name);
  if (found != nullptr) cResource::Release(cDataResource::Find(name));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  QuietLog();
  cResourceManager::GetInstance();
  auto* file = new cMemoryStream();
  if (size > 0) file->Write(data, static_cast<uint32_t>(size));
  file->Seek(0, 0);

  uint32_t sum = 0;
  {
    cResourceLocation location("fuzz");
    if (location.MountPack(CountedPtr<cStream>(file))) {
      // Names cut from the input itself, so some of them are the pack's own.
      for (std::size_t at = 0; at < size && at < 64; at += 4) {
        const std::size_t length = std::min<std::size_t>(data[at] % 8, size - at);
        const std::string name(reinterpret_cast<const char*>(data) + at, length);
        LookUp(name);
      }
      for (cResource* resource : location.GetResources()) {
        resource->AddRef();
        sum += Touch(resource);
        cResource::Release(resource);
      }
    }
  }
  if (sum == 1) std::fputs("", stderr);  // keeps the sums from being optimised away
  return 0;
}
