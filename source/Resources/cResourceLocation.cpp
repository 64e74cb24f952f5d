#include "source/Resources/cResourceLocation.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/os/os.h"
#include "source/Resources/cPackEntryStream.h"
#include "source/Resources/cPackFile.h"
#include "source/Resources/cPackIndex.h"
#include "source/Resources/cResource.h"
#include "source/Resources/cResourceManager.h"
#include "source/Resources/cResourceRegistry.h"
#include "source/log/cLog.h"
#include "source/stream/cFileStream.h"
#include "source/xml/XmlDocument.h"

namespace {

constexpr const char* kSource = "source\\Resources\\cResourceLocation";
constexpr int kPackRefusedLine = 60;
constexpr int kPackWriteLine = 75;
constexpr int kScanLine = 90;

constexpr const char* kSkippedFolder = ".svn";
constexpr const char* kResourceListExtension = "resource";
constexpr const char* kResourceElement = "resource";
// Deeper folders than this are not followed (a link to a parent folder would never end).
constexpr int kMaxFolderDepth = 64;
constexpr int kMaxElementDepth = 512;

// Splits a file name at its last dot: base name and extension (empty when there is no dot).
void SplitName(const std::string& file, std::string& base, std::string& extension) {
  const std::size_t dot = file.rfind('.');
  base = dot == std::string::npos ? file : file.substr(0, dot);
  extension = dot == std::string::npos ? std::string() : file.substr(dot + 1);
}

// The folder's path with every link resolved (the path as given when it cannot be resolved).
std::string RealPath(const std::string& folder) {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(os::NativePath(folder), error);
  return error ? folder : real.string();
}

bool IsInside(const std::string& path, const std::string& root) {
  if (path.compare(0, root.size(), root) != 0) return false;
  return path.size() == root.size() || root.back() == '/' || path[root.size()] == '/';
}

const std::string* FindAttribute(const XmlNode& node, const char* name) {
  const XmlNode* attribute = node.FindAttribute(name);
  return attribute != nullptr ? &attribute->GetValue() : nullptr;
}

// Locations holding pack entries still to be made, in the order they were mounted: a lookup that
// misses makes the entries of its name in that order, so the newest mount's stays the newest.
std::vector<const cResourceLocation*>& LazyLocations() {
  static auto* locations = new std::vector<const cResourceLocation*>();
  return *locations;
}

}  // namespace

struct cResourceLocation::PackPart {
  std::size_t first;  // the place of the pack's first entry in m_resources
  uint64_t first_place;  // the registration place of its first entry (see cResource)
  std::unique_ptr<cPackIndex> index;
};

cResourceLocation::cResourceLocation(std::string name, std::string directory)
    : m_name(std::move(name)), m_directory(std::move(directory)) {}

cResourceLocation::~cResourceLocation() {
  // Out of the registries before any is deleted: a resource whose destructor releases another
  // then finds the registries empty and leaves the (possibly freed) other alone.
  UnregisterAll();
  // Each lets go of what it holds while all are still alive: a form releases the models of its
  // own location before any of them is deleted.
  for (auto& resource : m_resources) {
    if (resource) resource->Unload();
  }
  m_resources.clear();
}

void cResourceLocation::UnregisterAll() {
  // Entries not made yet stay so: a group out of the registries answers no lookup.
  auto& lazy = LazyLocations();
  lazy.erase(std::remove(lazy.begin(), lazy.end(), this), lazy.end());
  for (auto& resource : m_resources) {
    if (resource) resource->Unregister();
  }
}

std::string cResourceLocation::GetPath() const {
  return m_directory.empty() ? m_name : m_directory + "/" + m_name;
}

bool cResourceLocation::Mount() {
  // Sources keep absolute paths, so a later change of the current directory does not lose them.
  if (m_directory.empty()) m_directory = os::GetCurrentDirectory();
  const std::string path = GetPath();
  if (os::FileExists(path)) {
    CountedPtr<cStream> file(new cFileStream(path, os::kOpenExisting, os::kAccessRead,
                                             os::kShareRead));
    return MountPack(file);
  }
  if (!os::DirectoryExists(path)) return false;
  ScanFolder(path);
  return !m_failed;
}

bool cResourceLocation::MountPack(CountedPtr<cStream> file) {
  cPackDirectory directory;
  std::string error;
  if (!file || !ReadPackDirectory(*file, directory, error)) {
    LogReport(kLogError, kSource, kPackRefusedLine, "pack file %s refused: %s", m_name.c_str(),
              file ? error.c_str() : "no file");
    m_failed = true;
    return false;
  }
  m_pack_file = file;
  PackPart& part = m_packs.emplace_back();
  part.first = m_resources.size();
  part.index = std::make_unique<cPackIndex>(std::move(directory), m_pack_file);
  m_resources.resize(part.first + part.index->GetCount());
  part.first_place = cResource::TakeRegistrationPlaces(part.index->GetCount());
  if (part.index->GetCount() == 0) return true;
  SetRegistryMissHandler(&cResourceLocation::MakeNamedInPacks);
  LazyLocations().push_back(this);
  // A name registered already would answer lookups before this pack's newer entry is ever made:
  // such entries are made now.
  if (!AllResources().IsEmpty()) {
    for (std::size_t entry = 0; entry < part.index->GetCount(); ++entry) {
      if (AllResources().FindRegistered(part.index->GetName(entry)) != nullptr) MakeEntry(part, entry, true);
    }
  }
  return true;
}

void cResourceLocation::MakeEntry(const PackPart& part, std::size_t entry, bool enter) const {
  const std::size_t place = part.first + entry;
  if (m_resources[place]) return;
  cResource* resource = part.index->Make(entry);
  if (resource == nullptr) return;
  m_resources[place].reset(resource);
  if (place < m_held_count) m_held.insert(resource);
  if (!enter) return;
  resource->SetRegistrationPlace(part.first_place + entry);
  resource->Register();
}

bool cResourceLocation::MakeNamed(std::string_view name) const {
  bool made = false;
  std::vector<uint32_t> entries;
  for (const PackPart& part : m_packs) {
    entries.clear();
    part.index->FindAll(name, entries);
    for (uint32_t entry : entries) {
      if (m_resources[part.first + entry]) continue;
      MakeEntry(part, entry, true);
      made = true;
    }
  }
  return made;
}

bool cResourceLocation::MakeNamedInPacks(std::string_view name) {
  bool made = false;
  // A copy: making a resource may mount or drop another group.
  const std::vector<const cResourceLocation*> locations = LazyLocations();
  for (const cResourceLocation* location : locations) made = location->MakeNamed(name) || made;
  return made;
}

cResource* cResourceLocation::GetResource(std::size_t index) const {
  if (!m_resources[index]) {
    for (const PackPart& part : m_packs) {
      if (index >= part.first && index < part.first + part.index->GetCount()) {
        // Every entry of its name at once, in every group: one made alone could answer lookups
        // in place of a newer one still to be made.
        MakeNamedInPacks(std::string(part.index->GetName(index - part.first)));
        // A group taken out of the registries makes it without entering it.
        if (!m_resources[index]) MakeEntry(part, index - part.first, false);
      }
    }
  }
  return m_resources[index].get();
}

void cResourceLocation::ScanFolder(const std::string& folder) {
  std::set<std::string> visited;
  m_scan_root = RealPath(folder);
  ScanFolder(folder, "", 0, visited);
}

bool cResourceLocation::StaysInside(const std::string& path, bool is_folder) const {
  std::error_code error;
  const std::filesystem::path native = os::NativePath(path);
  // A plain file lies where its folder does; only a link can lead elsewhere.
  if (!is_folder && !std::filesystem::is_symlink(native, error)) return true;
  const std::filesystem::path real = std::filesystem::canonical(native, error);
  return !error && IsInside(real.string(), m_scan_root);
}

void cResourceLocation::ScanFolder(const std::string& folder, const std::string& prefix,
                                   int depth, std::set<std::string>& visited) {
  if (depth > kMaxFolderDepth || !visited.insert(RealPath(folder)).second) return;
  std::vector<std::string> folders;
  std::vector<std::string> files;
  if (!os::ListDirectory(folder, folders, files)) {
    LogReport(kLogError, kSource, kScanLine, "group %s: the folder %s cannot be read, and what it holds is missing",
              m_name.c_str(), os::NativePath(folder).c_str());
    m_failed = true;
    return;
  }
  for (const std::string& sub : folders) {
    if (sub == kSkippedFolder) continue;
    const std::string path = folder + "\\" + sub;
    // A link to "/" or to another tree would take the whole disk into the group.
    if (!StaysInside(path, true)) {
      LogReport(kLogWarning, kSource, kScanLine, "group %s: %s leads out of the group's folder and is left out",
                m_name.c_str(), os::NativePath(path).c_str());
      continue;
    }
    ScanFolder(path, prefix + sub + "\\", depth + 1, visited);
  }
  ScanFiles(folder, files, prefix);
}

void cResourceLocation::ScanFiles(const std::string& folder, const std::vector<std::string>& files,
                                  const std::string& prefix) {
  cResourceManager* manager = cResourceManager::GetInstance();
  for (const std::string& file : files) {
    const std::string path = folder + "\\" + file;
    if (!StaysInside(path, false)) {
      LogReport(kLogWarning, kSource, kScanLine, "group %s: %s is a link that leads out of the group's folder (or nowhere) and is left out",
                m_name.c_str(), os::NativePath(path).c_str());
      continue;
    }
    std::string base;
    std::string extension;
    SplitName(file, base, extension);
    if (extension == kResourceListExtension) {
      ReadResourceList(path);
      continue;
    }
    if (base.empty()) {
      LogReport(kLogWarning, kSource, kScanLine, "group %s: %s has no name before its extension and is left out",
                m_name.c_str(), os::NativePath(path).c_str());
      continue;
    }
    AddDeclared(manager->CreateResourceByExtension(extension, prefix + base, cResourceSource::FromFile(path)), &path);
  }
}

void cResourceLocation::AddDeclared(cResource* resource, const std::string* file) {
  if (resource == nullptr) return;
  std::unique_ptr<cResource> made(resource);
  const char* reason = nullptr;
  if (made->GetName().empty()) {
    reason = "has no name";
  } else if (!m_declared.insert(std::string(made->GetTypeName()) + '\0' + made->GetName()).second) {
    reason = "has the name of another resource of its type";
  }
  if (reason != nullptr) {
    // The file's own path is made only here: a scan declares hundreds that are never reported.
    const std::string origin = file != nullptr ? os::NativePath(*file) : std::string("a resource list");
    LogReport(kLogWarning, kSource, kScanLine, "group %s: the %s resource \"%s\" from %s %s and is left out",
              m_name.c_str(), made->GetTypeName(), made->GetName().c_str(), origin.c_str(), reason);
    return;
  }
  AddResource(made.release());
}

bool cResourceLocation::ReadResourceList(const std::string& path) {
  // Only lists that exist are read: opening one must not create an empty file.
  cFileStream file(path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
  if (!file.IsOpen()) return false;
  XmlDocument document;
  if (!document.Load(file)) {
    LogReport(kLogError, kSource, __LINE__, "the resource list %s cannot be read: %s", path.c_str(),
              document.GetError().c_str());
    return false;
  }
  AddResourceElements(document.GetRoot(), 0);
  return true;
}

void cResourceLocation::AddResourceElements(const XmlNode& node, int depth) {
  if (depth > kMaxElementDepth) return;
  if (node.GetName() == kResourceElement) {
    const std::string* name = FindAttribute(node, "name");
    const std::string* type = FindAttribute(node, "type");
    cResource* resource = cResourceManager::GetInstance()->CreateResource(
        type != nullptr ? *type : std::string(), name != nullptr ? *name : std::string(),
        cResourceSource());
    if (resource == nullptr) return;
    resource->LoadFromXml(node);
    AddDeclared(resource, nullptr);
    return;  // what lies inside belongs to the resource
  }
  for (const XmlNode* child = node.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    AddResourceElements(*child, depth + 1);
  }
}

bool cResourceLocation::WritePack(cStream& destination) const {
  std::string error;
  if (WritePackFile(GetResources(), destination, error)) return true;
  LogReport(kLogError, kSource, kPackWriteLine, "pack of %s not written: %s", m_name.c_str(),
            error.c_str());
  return false;
}

void cResourceLocation::AddResource(cResource* resource) {
  if (resource == nullptr) return;
  // A resource the location holds already is not taken twice (it would be deleted twice). Those
  // a pack mounted enter the held set only once a resource is added by hand.
  for (; m_held_count < m_resources.size(); ++m_held_count) {
    if (m_resources[m_held_count]) m_held.insert(m_resources[m_held_count].get());
  }
  if (!m_held.insert(resource).second) return;
  ++m_held_count;
  m_resources.emplace_back(resource);
  resource->Register();
}

std::vector<cResource*> cResourceLocation::GetResources() const {
  std::vector<cResource*> list;
  list.reserve(m_resources.size());
  for (std::size_t index = 0; index < m_resources.size(); ++index) {
    if (cResource* resource = GetResource(index)) list.push_back(resource);
  }
  return list;
}
