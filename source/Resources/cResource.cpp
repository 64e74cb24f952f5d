#include "source/Resources/cResource.h"

#include "source/Resources/cResourceManager.h"
#include "source/Resources/cResourceRegistry.h"
#include "source/log/cLog.h"
#include "source/stream/cMemoryStream.h"

namespace {
constexpr const char* kSource = "source\\Resources\\cResource";
constexpr int kLoadingLine = 27;
}  // namespace

cResource::cResource(std::string name, const cResourceSource& source)
    : m_name(std::move(name)), m_source(source) {}

cResource::~cResource() = default;

uint64_t cResource::TakeRegistrationPlaces(uint64_t count) {
  static uint64_t next = 1;
  const uint64_t first = next;
  next += count;
  return first;
}

void cResource::Register() {
  cResourceManager::GetInstance();
  // Registering again is a fresh registration: it comes first in the lookups.
  if (!m_place_given) m_place = TakeRegistrationPlaces(1);
  m_place_given = false;
  RegisterResourceByName(AllResources(), this);
}

void cResource::Unregister() {
  // No manager is made here: this runs while the manager itself is being destroyed.
  UnregisterResourceByName(AllResources(), this);
}

bool cResource::WriteData(cStream& stream) {
  if (!m_source.HasData()) return WriteDeclaredData(stream);
  cMemoryStream bytes;
  if (!LoadData(bytes)) return false;
  return stream.CopyFrom(bytes, cStream::kWholeStream) == bytes.GetSize();
}

void cResource::LoadFromXml(const XmlNode&) {}

int cResource::AddRef() {
  // A resource whose loading comes back to itself (data naming itself, directly or through
  // others) is counted but not loaded a second time, which would never end.
  if (m_ref_count == 0 && !m_loading) {
    LogReport(kLogPlain, kSource, kLoadingLine, "loading %s %s", GetTypeName(), m_name.c_str());
    m_loading = true;
    Load();
    m_loading = false;
  }
  return ++m_ref_count;
}

int cResource::Release(cResource* resource) {
  if (resource == nullptr || AllResources().IsEmpty()) return -1;
  if (resource->m_ref_count <= 0) return resource->m_ref_count;
  if (--resource->m_ref_count == 0) resource->Unload();
  return resource->m_ref_count;
}
