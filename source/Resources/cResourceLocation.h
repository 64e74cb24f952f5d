#pragma once
// One resource group: the resources of a folder tree, or of the pack file of the same name. The
// location owns its resources; they are registered while it holds them.

#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "source/core/CountedPtr.h"

class cPackIndex;
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
  // else a folder of that name is scanned. False when neither exists, the pack is refused or a
  // folder of the tree cannot be read (HasFailed tells the last two from a missing group).
  bool Mount();
  // A pack was refused or a folder could not be read: the group lacks what it should hold, so
  // writing it as a pack would lose resources.
  bool HasFailed() const { return m_failed; }
  // Mounts an opened pack file, which the location keeps. A damaged pack is refused whole with a
  // log line, and nothing is added. An entry's resource is made when it is first looked up or
  // asked for by index (or at once when its name is registered already, so that it stays the
  // newest of that name); lookups see every entry as though all were made at the mount.
  bool MountPack(CountedPtr<cStream> file);
  // Adds the files of `folder` (subfolders first, ".svn" skipped) named relative to it. Links are
  // followed only while they lead to a place inside `folder`. A file whose name is empty without
  // its extension, or whose name and type another resource of the group has already, is logged
  // and left out; so is a folder that cannot be read, which also makes the group failed.
  void ScanFolder(const std::string& folder);
  // Adds each "resource" element of an XML resource list (one without a name, or with the name
  // and type of a resource the group has already, is logged and left out). False when the list
  // cannot be read.
  bool ReadResourceList(const std::string& path);
  // Writes the location's resources as a pack, in their order.
  bool WritePack(cStream& destination) const;

  // Takes every resource out of the registries (they stay owned until the location goes).
  void UnregisterAll();
  // Takes a new resource (null, or one held already, is ignored) and registers it.
  void AddResource(cResource* resource);
  std::size_t GetResourceCount() const { return m_resources.size(); }
  // Makes a pack entry's resource when it is not made yet.
  cResource* GetResource(std::size_t index) const;
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
  void ScanFiles(const std::string& folder, const std::vector<std::string>& files, const std::string& prefix);
  // Whether a path found in the scan stays inside the scanned folder when its links are followed.
  bool StaysInside(const std::string& path, bool is_folder) const;
  void AddResourceElements(const XmlNode& node, int depth);
  // AddResource for what a scan or a list declares: a nameless resource, or one whose name and
  // type the group holds already, is deleted with a log line naming the scanned `file` it came
  // from (a resource list's when null).
  void AddDeclared(cResource* resource, const std::string* file);

  struct PackPart;
  // Makes and registers the pack entries of that name not made yet; whether any was made.
  bool MakeNamed(std::string_view name) const;
  // `enter`: registers it too.
  void MakeEntry(const PackPart& part, std::size_t entry, bool enter) const;
  static bool MakeNamedInPacks(std::string_view name);

  // Pack entries not made yet are null here; making one (on a lookup or through a const getter)
  // changes what the location holds but not what it shows, hence mutable.
  mutable std::vector<std::unique_ptr<cResource>> m_resources;
  std::vector<PackPart> m_packs;
  // The same resources, for a constant-time "held already"; the first m_held_count places of
  // m_resources have been entered (a pack entry made later among them enters as it is made).
  mutable std::unordered_set<const cResource*> m_held;
  mutable std::size_t m_held_count = 0;
  std::unordered_set<std::string> m_declared;      // type and name of every declared resource
  std::string m_scan_root;                         // the scanned folder with its links resolved
  bool m_failed = false;
  std::string m_name;
  std::string m_directory;
  CountedPtr<cStream> m_pack_file;
};
