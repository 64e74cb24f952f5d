#pragma once
// One resource group: the resources of a folder tree, or of the pack file of the same name. The
// location owns its resources; they are registered while it holds them.

#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "source/core/CountedPtr.h"

class cResource;
class cStream;
class XmlNode;

class cResourceLocation {
 public:
  // The group `name`, looked for in `directory` (the current directory when empty).
  explicit cResourceLocation(std::string name, std::string directory = std::string());
  ~cResourceLocation();
  cResourceLocation(const cResourceLocation&) = delete;
  cResourceLocation& operator=(const cResourceLocation&) = delete;

  // A regular file of the group's name is mounted as a pack (and the folder is not looked at);
  // else a folder of that name is scanned. False when neither exists or the pack is refused.
  bool Mount();
  // Mounts an opened pack file, which the location keeps. A damaged pack is refused whole with a
  // log line, and nothing is added.
  bool MountPack(CountedPtr<cStream> file);
  // Adds the files of `folder` (subfolders first, ".svn" skipped) named relative to it.
  void ScanFolder(const std::string& folder);
  // Adds each "resource" element of an XML resource list. False when it cannot be read.
  bool ReadResourceList(const std::string& path);
  // Writes the location's resources as a pack, in their order.
  bool WritePack(cStream& destination) const;

  // Takes every resource out of the registries (they stay owned until the location goes).
  void UnregisterAll();
  // Takes a new resource (null, or one held already, is ignored) and registers it.
  void AddResource(cResource* resource);
  std::size_t GetResourceCount() const { return m_resources.size(); }
  cResource* GetResource(std::size_t index) const { return m_resources[index].get(); }
  std::vector<cResource*> GetResources() const;

  const std::string& GetName() const { return m_name; }
  // The group's file or folder: the directory joined with the name.
  std::string GetPath() const;
  bool IsPack() const { return static_cast<bool>(m_pack_file); }

 private:
  // `visited` holds the real paths of the folders scanned so far: a folder reached again through
  // a link is not scanned twice, so links to a parent can neither loop nor multiply the work.
  void ScanFolder(const std::string& folder, const std::string& prefix, int depth,
                  std::set<std::string>& visited);
  void AddResourceElements(const XmlNode& node, int depth);

  std::vector<std::unique_ptr<cResource>> m_resources;
  std::string m_name;
  std::string m_directory;
  CountedPtr<cStream> m_pack_file;
};
