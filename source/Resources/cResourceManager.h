#pragma once
// The resource manager: maps type words to creators and file extensions to type words, owns the
// resource groups ("data", "localization", "fsdata", "splash"), each mounted from its pack file or
// scanned from its folder, and holds the critical section under which typed lookups take their
// reference. The section is recursive: loading a form or a scene looks up the resources it
// names on the same thread.

#include <map>
#include <memory>
#include <string>

#include "platform/os/os.h"
#include "source/Resources/cResource.h"
#include "source/Resources/cResourceRegistry.h"
#include "source/core/Singleton.h"

class cResourceLocation;
class cStream;

using cResourceCreator = cResource* (*)(const std::string& name, const cResourceSource& source);

class cResourceManager : public Singleton<cResourceManager> {
 public:
  cResourceManager();
  ~cResourceManager() override;

  // A later registration of the same word replaces the earlier one.
  void RegisterResourceCreator(const std::string& type, cResourceCreator creator);
  template <class T>
  void RegisterResourceType() {
    RegisterResourceCreator(T::kTypeName, &T::Create);
  }
  bool HasResourceCreator(const std::string& type) const { return m_creators.count(type) != 0; }
  // Extension without the dot, as found on disk.
  void RegisterResourceExtension(const std::string& extension, const std::string& type);
  // The type word of an extension; empty when none is mapped.
  std::string GetTypeForExtension(const std::string& extension) const;

  // A new resource (count 0, not registered) from the creator of `type`; a word without a creator
  // makes a "data" resource.
  cResource* CreateResource(const std::string& type, const std::string& name,
                            const cResourceSource& source);
  // The creator CreateResource uses for `type`: looked up once for many resources of one type.
  cResourceCreator GetCreator(const std::string& type) const;
  cResource* CreateResourceByExtension(const std::string& extension, const std::string& name,
                                       const cResourceSource& source);

  // Mounts the group `name` from the current directory (a pack file when a regular file of that
  // name exists, else the folder) unless a group of that name exists already. Answers the group.
  cResourceLocation* AddDirectory(const std::string& name);
  cResourceLocation* GetLocation(const std::string& name) const;
  // Writes the group's pack into `stream`; false when the group is missing or a write failed.
  bool WritePack(const std::string& group, cStream& stream);
  // Writes the group's pack to a temporary file beside `path` and renames it into place, so an
  // older pack is replaced whole or not at all. False (and no file changed) on any failure.
  bool WritePackFile(const std::string& group, const std::string& path);

  // The resource of that name and type with one reference added (loaded on its first), or null
  // (logged as not found). An empty name gives null silently.
  template <class T>
  T* FindResource(const std::string& name) {
    return static_cast<T*>(FindAndAcquire(RegistryOf<T>(), name));
  }
  // Whether a resource of that name and type exists: nothing is loaded and no reference taken.
  template <class T>
  bool HasResource(const std::string& name) {
    return Has(RegistryOf<T>(), name);
  }
  static int ReleaseResource(cResource* resource) { return cResource::Release(resource); }

  os::CriticalSection& GetCriticalSection() { return m_lock; }

 private:
  cResource* FindAndAcquire(const cResourceRegistry& registry, const std::string& name);
  bool Has(const cResourceRegistry& registry, const std::string& name);

  os::CriticalSection m_lock;
  std::map<std::string, std::unique_ptr<cResourceLocation>> m_groups;
  std::map<std::string, cResourceCreator> m_creators;
  std::map<std::string, std::string> m_extensions;
};
