#include "source/config/Config.h"

#include "platform/os/os.h"
#include "source/log/cLog.h"
#include "source/properties/cProperties.h"
#include "source/stream/cFileStream.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"

namespace {

constexpr const char* kRootName = "config";
constexpr const char* kItemName = "item";

std::string AttributeText(const XmlNode& node, const char* name) {
  const XmlNode* attribute = node.FindAttribute(name);
  return attribute != nullptr ? attribute->GetValue() : std::string();
}

bool HasAttribute(const XmlNode& node, const char* name) { return node.FindAttribute(name) != nullptr; }

// Attribute values are written between double quotes and the reader knows no escapes: a text
// with a quote in it would make the whole file unreadable, and every setting would be lost.
bool CanBeWritten(const std::string& text) { return text.find('"') == std::string::npos; }

}  // namespace

std::string ConfigFilePath(const cProperties& store) {
  return store.GetValue("engine_directory") + "\\" + store.GetValue("short_name") + ".xml";
}

void LoadConfig(cProperties& store) {
  const std::string folder = os::UserDataFolder() + "\\" + store.GetValue("company name") + "\\" +
                             store.GetValue("short_name");
  store.SetUserFolder(folder);
  store.SetValue("engine_directory", folder);
  store.SetValue("log_directory", folder);
  // On a first run the folder does not exist yet; the log and the save need it.
  os::CreateDirectoryTree(folder);

  const std::string path = ConfigFilePath(store);
  if (!os::FileExists(path)) return;  // a first run: no file, nothing to report
  cFileStream stream(path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
  if (stream.IsOpen()) ReadConfig(stream, store);
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

  XmlDocument document(kRootName);
  for (const std::string& key : keys) {
    const std::string value = store.GetValue(key);
    if (!CanBeWritten(key) || !CanBeWritten(value)) {
      LogReport(kLogWarning, "sources\\Config", __LINE__, "setting %s not saved: its text holds a double quote",
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
  return os::WriteFileAtomically(ConfigFilePath(store), bytes.GetData(), bytes.GetSize());
}
