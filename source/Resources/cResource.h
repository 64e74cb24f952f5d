#pragma once
// The base of every loadable resource: named, typed by a type word, reference-counted, loaded on
// its first reference and unloaded on its last release. Its bytes come from its cResourceSource.
//
// A new resource type derives from cTypedResource<T> (cTypedResource.h), which supplies the type's
// registry, creator and lookups. Packing needs nothing more from a type whose bytes come from a
// file or a pack entry: WriteData copies the source's bytes, and Load reads them back through
// LoadData. A type declared in a resource list (its data comes from LoadFromXml, it has no source)
// overrides WriteDeclaredData to write its own form, and reads that form back in Load whenever
// GetSource().HasData() is true (it was mounted from a pack).

#include <cstdint>
#include <string>

#include "source/Resources/cResourceSource.h"

class cStream;
class cMemoryStream;
class XmlNode;

class cResource {
 public:
  cResource(std::string name, const cResourceSource& source);
  virtual ~cResource();
  cResource(const cResource&) = delete;
  cResource& operator=(const cResource&) = delete;

  virtual bool Load() = 0;
  virtual bool Unload() = 0;
  // Enter the resource into (and take it out of) the registry of all resources; each type adds
  // its own registry.
  virtual void Register();
  virtual void Unregister();
  // Appends the resource's bytes as a pack stores them: the source's bytes, or for a resource
  // without a source its WriteDeclaredData. False when the bytes cannot be had or the stream does
  // not take them all.
  virtual bool WriteData(cStream& stream);
  // Settings from the "resource" element of a resource list; the base takes none.
  virtual void LoadFromXml(const XmlNode& node);
  virtual bool IsCompressible() { return true; }
  virtual const char* GetTypeName() const = 0;

  // The first reference logs "loading" and loads; answers the new count.
  int AddRef();
  // Answers the new count; -1 for a null resource or once no resource is registered at all (at
  // shut-down, when the resource may already be gone: it is then not touched). A count of 0 stays.
  static int Release(cResource* resource);

  // Lookups give, of the resources of one name, the one whose registration came last. A pack that
  // makes its resources on demand takes a block of places in that order when it is mounted, and
  // gives each entry's resource its own place before the first Register, so that one made late
  // still ranks as mounted.
  static uint64_t TakeRegistrationPlaces(uint64_t count);
  void SetRegistrationPlace(uint64_t place) {
    m_place = place;
    m_place_given = true;
  }
  uint64_t GetRegistrationPlace() const { return m_place; }

  int GetRefCount() const { return m_ref_count; }
  const std::string& GetName() const { return m_name; }
  cResourceSource& GetSource() { return m_source; }
  const cResourceSource& GetSource() const { return m_source; }

 protected:
  bool LoadData(cMemoryStream& destination) const { return m_source.LoadData(destination); }
  // The form a resource declared in a resource list takes in a pack; the base has none.
  virtual bool WriteDeclaredData(cStream& stream) { return false; }

 private:
  int32_t m_ref_count = 0;
  bool m_loading = false;  // inside the first reference's Load
  bool m_place_given = false;  // m_place was set for the next Register
  uint64_t m_place = 0;
  std::string m_name;
  cResourceSource m_source;
};
