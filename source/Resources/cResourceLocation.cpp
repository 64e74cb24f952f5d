#include "source/Resources/cResourceLocation.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/os/os.h"
#include "source/Resources/cPackEntryStream.h"
#include "source/Resources/cPackFile.h"
#include "source/Resources/cResource.h"
#include "source/Resources/cResourceManager.h"
#include "source/log/cLog.h"
#include "source/stream/cFileStream.h"
#include "source/xml/XmlDocument.h"

namespace {

constexpr const char* kSource = "source\\Resources\\cResourceLocation";
constexpr int kPackRefusedLine = 60;
constexpr int kPackWriteLine = 75;

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

const std::string* FindAttribute(const XmlNode& node, const char* name) {
  const XmlNode* attribute = node.FindAttribute(name);
  return attribute != nullptr ? &attribute->GetValue() : nullptr;
}

}  // namespace

cResourceLocation::cResourceLocation(std::string name, std::string directory)
    : m_name(std::move(name)), m_directory(std::move(directory)) {}

cResourceLocation::~cResourceLocation() {
  // Out of the registries before any is deleted: a resource whose destructor releases another
  // then finds the registries empty and leaves the (possibly freed) other alone.
  UnregisterAll();
  m_resources.clear();
}

void cResourceLocation::UnregisterAll() {
  for (auto& resource : m_resources) resource->Unregister();
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
  return true;
}

bool cResourceLocation::MountPack(CountedPtr<cStream> file) {
  cPackDirectory directory;
  std::string error;
  if (!file || !ReadPackDirectory(*file, directory, error)) {
    LogReport(kLogError, kSource, kPackRefusedLine, "pack file %s refused: %s", m_name.c_str(),
              file ? error.c_str() : "no file");
    return false;
  }
  m_pack_file = file;
  cResourceManager* manager = cResourceManager::GetInstance();
  m_resources.reserve(m_resources.size() + directory.entries.size());
  for (const cPackEntry& entry : directory.entries) {
    CountedPtr<cStream> bytes(new cPackEntryStream(m_pack_file, entry.offset, entry.size));
    cResourceSource source = cResourceSource::FromPackEntry(bytes, directory.methods[entry.method]);
    AddResource(manager->CreateResource(directory.types[entry.type], directory.names[entry.name],
                                        source));
  }
  return true;
}

void cResourceLocation::ScanFolder(const std::string& folder) {
  std::set<std::string> visited;
  ScanFolder(folder, "", 0, visited);
}

void cResourceLocation::ScanFolder(const std::string& folder, const std::string& prefix,
                                   int depth, std::set<std::string>& visited) {
  if (depth > kMaxFolderDepth || !visited.insert(RealPath(folder)).second) return;
  std::vector<std::string> folders;
  std::vector<std::string> files;
  if (!os::ListDirectory(folder, folders, files)) return;
  for (const std::string& sub : folders) {
    if (sub == kSkippedFolder) continue;
    ScanFolder(folder + "\\" + sub, prefix + sub + "\\", depth + 1, visited);
  }
  cResourceManager* manager = cResourceManager::GetInstance();
  for (const std::string& file : files) {
    const std::string path = folder + "\\" + file;
    std::string base;
    std::string extension;
    SplitName(file, base, extension);
    if (extension == kResourceListExtension) {
      ReadResourceList(path);
      continue;
    }
    AddResource(manager->CreateResourceByExtension(extension, prefix + base,
                                                   cResourceSource::FromFile(path)));
  }
}

bool cResourceLocation::ReadResourceList(const std::string& path) {
  // Only lists that exist are read: opening one must not create an empty file.
  cFileStream file(path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
  if (!file.IsOpen()) return false;
  XmlDocument document;
  if (!document.Load(file)) return false;
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
    AddResource(resource);
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
  // A resource the location holds already is not taken twice (it would be deleted twice).
  for (const auto& held : m_resources) {
    if (held.get() == resource) return;
  }
  m_resources.emplace_back(resource);
  resource->Register();
}

std::vector<cResource*> cResourceLocation::GetResources() const {
  std::vector<cResource*> list;
  list.reserve(m_resources.size());
  for (const auto& resource : m_resources) list.push_back(resource.get());
  return list;
}
