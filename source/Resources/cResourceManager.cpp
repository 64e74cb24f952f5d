#include "source/Resources/cResourceManager.h"

#include "source/Resources/cDataResource.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cXmlResource.h"
#include "source/log/cLog.h"
#include "source/stream/cFileStream.h"

namespace {

constexpr const char* kSource = "source\\Resources\\cResourceManager";
constexpr int kNotFoundLine = 112;
constexpr int kWritePackLine = 140;

}  // namespace

cResourceManager::cResourceManager() {
  RegisterResourceType<cDataResource>();
  RegisterResourceType<cXmlResource>();
  // XML documents kept as files of a data folder ("game_init\game_init", "levels\stage").
  RegisterResourceExtension("xml", cXmlResource::kTypeName);
}

// Every group's resources leave the registries before any resource is deleted, so a resource
// released while another is destroyed (or by a manager destroyed later) is never touched.
cResourceManager::~cResourceManager() {
  for (auto& group : m_groups) group.second->UnregisterAll();
  m_groups.clear();
}

void cResourceManager::RegisterResourceCreator(const std::string& type, cResourceCreator creator) {
  if (creator != nullptr) m_creators[type] = creator;
}

void cResourceManager::RegisterResourceExtension(const std::string& extension,
                                                 const std::string& type) {
  m_extensions[extension] = type;
}

std::string cResourceManager::GetTypeForExtension(const std::string& extension) const {
  auto found = m_extensions.find(extension);
  return found == m_extensions.end() ? std::string() : found->second;
}

cResourceCreator cResourceManager::GetCreator(const std::string& type) const {
  auto found = m_creators.find(type);
  return found == m_creators.end() ? &cDataResource::Create : found->second;
}

cResource* cResourceManager::CreateResource(const std::string& type, const std::string& name,
                                            const cResourceSource& source) {
  return GetCreator(type)(name, source);
}

cResource* cResourceManager::CreateResourceByExtension(const std::string& extension,
                                                       const std::string& name,
                                                       const cResourceSource& source) {
  return CreateResource(GetTypeForExtension(extension), name, source);
}

cResourceLocation* cResourceManager::AddDirectory(const std::string& name) {
  auto found = m_groups.find(name);
  if (found != m_groups.end()) return found->second.get();
  auto location = std::make_unique<cResourceLocation>(name);
  location->Mount();
  cResourceLocation* added = location.get();
  m_groups.emplace(name, std::move(location));
  return added;
}

cResourceLocation* cResourceManager::GetLocation(const std::string& name) const {
  auto found = m_groups.find(name);
  return found == m_groups.end() ? nullptr : found->second.get();
}

bool cResourceManager::WritePack(const std::string& group, cStream& stream) {
  cResourceLocation* location = GetLocation(group);
  if (location == nullptr) {
    LogReport(kLogError, kSource, kWritePackLine, "resource group %s not found", group.c_str());
    return false;
  }
  return location->WritePack(stream);
}

bool cResourceManager::WritePackFile(const std::string& group, const std::string& path) {
  if (GetLocation(group) == nullptr) {
    LogReport(kLogError, kSource, kWritePackLine, "resource group %s not found", group.c_str());
    return false;
  }
  const std::string temporary = path + ".tmp";
  bool written = false;
  {
    cFileStream file(temporary, os::kCreateAlways, os::kAccessRead | os::kAccessWrite,
                     os::kShareRead);
    written = file.IsOpen() && WritePack(group, file);
  }
  if (written) {
    auto synced = os::File::Open(temporary, os::kOpenExisting, os::kAccessRead, os::kShareRead);
    written = synced != nullptr && synced->Flush() && os::RenameFile(temporary, path);
  }
  if (!written) {
    os::DeleteFile(temporary);
    LogReport(kLogError, kSource, kWritePackLine, "could not write the pack file %s",
              path.c_str());
  }
  return written;
}

bool cResourceManager::Has(const cResourceRegistry& registry, const std::string& name) {
  os::CriticalSectionLock lock(m_lock);
  return !name.empty() && registry.Find(name) != nullptr;
}

cResource* cResourceManager::FindAndAcquire(const cResourceRegistry& registry,
                                            const std::string& name) {
  if (name.empty()) return nullptr;
  os::CriticalSectionLock lock(m_lock);
  cResource* found = registry.Find(name);
  if (found == nullptr) {
    LogReport(kLogPlain, kSource, kNotFoundLine, "Resource:%s %s", name.c_str(), "not found");
    return nullptr;
  }
  found->AddRef();
  return found;
}
