#include "Sources/adventure/LocationResource.h"

#include "Sources/adventure/script/LocationScriptFile.h"
#include "source/log/cLog.h"
#include "source/sound/cSoundResource.h"
#include "source/stream/cMemoryStream.h"

namespace {

constexpr const char* kSource = "Sources\\LocationResource";
constexpr int kNoOnLoadLine = 28;
constexpr int kDamagedLine = 40;
constexpr int kGameCountLine = 82;
constexpr int kLocationCountLine = 91;
constexpr int kHintCountLine = 100;
constexpr int kOnLoadCountLine = 109;

LocationResource::SoundAcquirer g_sound_acquirer = nullptr;

int CountLineOf(ScriptNameKind kind) {
  switch (kind) {
    case ScriptNameKind::kGame: return kGameCountLine;
    case ScriptNameKind::kLocation: return kLocationCountLine;
    default: return kHintCountLine;
  }
}

}  // namespace

void LocationResource::SetSoundAcquirer(SoundAcquirer acquirer) { g_sound_acquirer = acquirer; }

LocationResource::~LocationResource() { Clear(); }

bool LocationResource::Load() {
  Clear();  // a second load starts afresh instead of adding to the first
  cMemoryStream bytes;
  if (!LoadData(bytes)) return false;
  LocationScriptRead read = ReadLocationScript(bytes);
  if (!read.root) {
    LogReport(kLogError, kSource, kDamagedLine, "script %s is damaged and not used: %s", GetName().c_str(),
              read.fault.c_str());
    return false;
  }
  if (read.trailing_bytes > 0) {
    LogReport(kLogWarning, kSource, kDamagedLine, "script %s has %u bytes after its end", GetName().c_str(),
              read.trailing_bytes);
  }
  m_root = std::move(read.root);
  CollectNames();
  PreloadSounds();
  if (m_onload == nullptr) LogReport(kLogAbort, kSource, kNoOnLoadLine, "OnLoad node not found");
  return true;
}

bool LocationResource::Unload() {
  Clear();
  return true;
}

void LocationResource::Clear() {
  m_root.reset();
  m_onload = nullptr;
  m_names.Clear();
  for (cResource* sound : m_sounds) cResource::Release(sound);
  m_sounds.clear();
}

void LocationResource::CollectNames() {
  ForEachCommandNode(*m_root, [this](CommandNode& node, uint32_t) {
    const ScriptNameKind kind = NameKindOfWord(node.type);
    if (TakesOneName(kind) && node.parameters.size() > 1) {
      LogReport(kLogAbort, kSource, CountLineOf(kind), "%sParam count > 1", DumpCommandNode(node).c_str());
    }
    AddScriptNames(node, m_names);
    if (node.type == "onload") {
      if (m_onload != nullptr) {
        LogReport(kLogAbort, kSource, kOnLoadCountLine, "%sOnLoad count > 1", DumpCommandNode(node).c_str());
      }
      m_onload = &node;
    }
  });
}

void LocationResource::PreloadSounds() {
  if (g_sound_acquirer == nullptr) return;
  for (const std::string& name : m_names.sounds) {
    if (cResource* sound = g_sound_acquirer(kSoundFolder + name)) m_sounds.push_back(sound);
  }
}

void RegisterLocationResourceType() {
  cResourceManager::GetInstance()->RegisterResourceType<LocationResource>();
  cResourceManager::GetInstance()->RegisterResourceExtension("cnf", LocationResource::kTypeName);
  LocationResource::SetSoundAcquirer([](const std::string& name) -> cResource* { return cSoundResource::Find(name); });
}
