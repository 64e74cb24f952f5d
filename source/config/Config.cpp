#include "source/config/Config.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/os/os.h"
#include "source/log/cLog.h"
#include "source/properties/cProperties.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "source/xml/XmlReader.h"

namespace {

constexpr const char* kSource = "sources\\Config";
constexpr const char* kRootName = "config";
constexpr const char* kItemName = "item";
constexpr const char* kSetAsideSuffix = ".bad";
// How many damaged configurations are kept aside: enough to compare, never a growing pile.
constexpr int kSetAsideKept = 3;
// A configuration is a few hundred bytes; anything this large is not one, and is not read whole.
constexpr int64_t kMostBytes = 1 << 20;

std::string AttributeText(const XmlNode& node, const char* name) {
  const XmlNode* attribute = node.FindAttribute(name);
  return attribute != nullptr ? attribute->GetValue() : std::string();
}

bool HasAttribute(const XmlNode& node, const char* name) { return node.FindAttribute(name) != nullptr; }

// Attribute values are written between double quotes and the reader knows no escapes: a text
// with a quote in it would make the whole file unreadable, and every setting would be lost.
bool CanBeWritten(const std::string& text) { return text.find('"') == std::string::npos; }

// Anything at all under that name, a dangling link included.
bool SomethingIsAt(const std::string& path) {
  struct stat info;
  return lstat(os::NativePath(path).c_str(), &info) == 0;
}

enum class Opened { kRead, kCannotOpen, kTooLarge };

Opened ReadWhole(const std::string& path, cMemoryStream& bytes, int& error) {
  std::unique_ptr<os::File> file = os::File::Open(path, os::kOpenExisting, os::kAccessRead, os::kShareRead, &error);
  if (!file) return Opened::kCannotOpen;
  char buffer[4096];
  int64_t total = 0;
  for (;;) {
    const int64_t got = file->Read(buffer, sizeof buffer);
    if (got < 0) {
      error = errno;
      return Opened::kCannotOpen;
    }
    if (got == 0) break;
    total += got;
    if (total > kMostBytes) return Opened::kTooLarge;
    bytes.Write(buffer, static_cast<uint32_t>(got));
  }
  bytes.Seek(0, 0);
  return Opened::kRead;
}

// Nothing may replace the file in this run.
void KeepAsItIs(cProperties& store, const std::string& path, const char* why) {
  store.SetConfigKept(true);
  LogReport(kLogError, kSource, __LINE__,
            "the configuration %s %s: it is left as it is, the defaults are used and this run's settings will "
            "not be saved",
            os::NativePath(path).c_str(), why);
}

// The set-aside names, newest first: ".bad", ".bad.1", ".bad.2".
std::string SetAsideName(const std::string& path, int age) {
  std::string name = path + kSetAsideSuffix;
  if (age > 0) name.append(1, '.').append(std::to_string(age));
  return name;
}

// Makes room for the newest set-aside file: the oldest kept one goes and the others move one age
// up. Answers why that could not be done (something that is not a plain file lies in the way),
// or empty.
std::string MakeRoomAside(const std::string& path) {
  const std::string oldest = SetAsideName(path, kSetAsideKept - 1);
  struct stat info;
  if (lstat(os::NativePath(oldest).c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode) || std::remove(os::NativePath(oldest).c_str()) != 0) {
      return os::NativePath(oldest) + " is taken already and cannot be removed";
    }
  }
  for (int age = kSetAsideKept - 2; age >= 0; --age) {
    const std::string from = SetAsideName(path, age);
    if (SomethingIsAt(from) && !os::RenameFile(from, SetAsideName(path, age + 1))) {
      return os::NativePath(from) + " is taken already and cannot be moved (" + std::strerror(errno) + ")";
    }
  }
  return {};
}

// A file that does not parse is moved aside, so the player can still see what was in it and the
// next save starts a new one. The last few set-aside files are kept, the newest as ".bad"; the
// file itself is never written over before it is aside.
void SetAside(cProperties& store, const std::string& path, const std::string& why) {
  const std::string aside = SetAsideName(path, 0);
  const std::string blocked = MakeRoomAside(path);
  if (!blocked.empty()) {
    KeepAsItIs(store, path, ("cannot be parsed and " + blocked).c_str());
    return;
  }
  if (!os::RenameFile(path, aside)) {
    const int error = errno;
    KeepAsItIs(store, path, (std::string("cannot be parsed nor moved aside (") + std::strerror(error) + ")").c_str());
    return;
  }
  LogReport(kLogError, kSource, __LINE__, "the configuration %s cannot be parsed (%s): it is kept as %s and the defaults are used",
            os::NativePath(path).c_str(), why.c_str(), os::NativePath(aside).c_str());
}

}  // namespace

std::string ConfigFilePath(const cProperties& store) {
  return store.GetValue("engine_directory") + "\\" + store.GetValue("short_name") + ".xml";
}

void SetUpUserFolder(cProperties& store) {
  const std::string folder = os::UserDataFolder() + "\\" + store.GetValue("company name") + "\\" +
                             store.GetValue("short_name");
  store.SetUserFolder(folder);
  store.SetValue("engine_directory", folder);
  store.SetValue("log_directory", folder);
  // On a first run the folder does not exist yet; the lock, the log and the save need it.
  os::CreateDirectoryTree(folder);
}

void LoadConfig(cProperties& store) {
  SetUpUserFolder(store);
  store.SetConfigKept(false);
  const std::string path = ConfigFilePath(store);
  os::RemoveStaleTemporaries(path);
  if (!SomethingIsAt(path)) return;  // a first run: no file, nothing to report

  cMemoryStream bytes;
  int error = 0;
  switch (ReadWhole(path, bytes, error)) {
    case Opened::kCannotOpen:
      KeepAsItIs(store, path, (std::string("cannot be read (") + std::strerror(error) + ")").c_str());
      return;
    case Opened::kTooLarge:
      SetAside(store, path, "too large");
      return;
    case Opened::kRead:
      ClearXmlError();
      if (!ReadConfig(bytes, store)) {
        SetAside(store, path, LastXmlError().empty() ? std::string("its root is not <") + kRootName + ">" : LastXmlError());
      }
      return;
  }
}

bool ReadConfig(cStream& stream, cProperties& store) {
  XmlDocument document;
  if (!document.Load(stream)) return false;
  const XmlNode& root = document.GetRoot();
  if (root.GetName() != kRootName) return false;
  // Only the children's "id" and "value" count, whatever the children are called.
  for (const XmlNode* item = root.GetFirstChild(); item != nullptr; item = item->GetNext()) {
    if (!HasAttribute(*item, "id")) continue;  // a setting without a name cannot be applied
    const std::string value = AttributeText(*item, "value");
    store.SetValue(AttributeText(*item, "id"), value);
  }
  return true;
}

bool SaveConfig(cProperties& store) {
  const std::vector<std::string>& keys = store.GetPersistentKeys();
  if (keys.empty()) return false;  // an existing file stays as it is
  if (store.IsConfigKept()) return false;  // said when it was loaded

  XmlDocument document(kRootName);
  for (const std::string& key : keys) {
    const std::string value = store.GetValue(key);
    if (!CanBeWritten(key) || !CanBeWritten(value)) {
      LogReport(kLogWarning, kSource, __LINE__, "setting %s not saved: its text holds a double quote",
                key.c_str());
      continue;
    }
    auto* item = new XmlNode(kItemName);
    document.GetRoot().AppendChild(item);
    item->AddAttribute("id")->SetValue(key);
    item->AddAttribute("value")->SetValue(value);
  }
  cMemoryStream bytes;
  if (!document.SaveXmlDocument(bytes)) return false;

  os::CreateDirectoryTree(store.GetValue("engine_directory"));
  const std::string path = ConfigFilePath(store);
  if (os::IsReadOnlyFile(path)) {
    // The player marked it read-only: it is read, never written over.
    LogReport(kLogWarning, kSource, __LINE__, "the configuration %s is read-only: this run's settings are not saved",
              os::NativePath(path).c_str());
    return false;
  }
  if (os::WriteFileAtomically(path, bytes.GetData(), bytes.GetSize())) return true;
  const int error = errno;
  LogReport(kLogError, kSource, __LINE__, "the configuration could not be saved to %s (%s): the file there is kept",
            os::NativePath(path).c_str(), std::strerror(error));
  return false;
}
