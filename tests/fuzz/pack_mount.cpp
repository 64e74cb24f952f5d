// Fuzz target: arbitrary bytes mounted as a pack file, then every resource that the mount made is
// loaded and released. A damaged pack must be refused or mount consistently; no input may crash,
// hang, or allocate beyond what its own bytes justify.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "source/Resources/cDataResource.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cResourceManager.h"
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
