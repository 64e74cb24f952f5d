#pragma once
// The "cnf" resource: a location's script, a tree of command nodes numbered in reading order,
// with the names it refers to collected into five ordered sets and the sounds it plays preloaded.
// A damaged file is logged and leaves the resource empty; the location then has no script.

#include <memory>
#include <string>
#include <vector>

#include "Sources/adventure/script/CommandNode.h"
#include "Sources/adventure/script/ScriptNames.h"
#include "source/Resources/cTypedResource.h"

class LocationResource : public cTypedResource<LocationResource> {
 public:
  static constexpr const char* kTypeName = "cnf";
  // The folder of the sounds a script names.
  static constexpr const char* kSoundFolder = "audio\\game\\";

  // Takes one reference to the sound resource of a full name, or answers null (the name is then
  // skipped). RegisterLocationResourceType sets the "sound" resources'; without one, scripts
  // preload nothing.
  using SoundAcquirer = cResource* (*)(const std::string& name);
  static void SetSoundAcquirer(SoundAcquirer acquirer);

  using cTypedResource::cTypedResource;
  ~LocationResource() override;

  // Reads the tree, collects its names and preloads its sounds. False when the bytes cannot be had
  // or the file is damaged; the resource is then empty.
  bool Load() override;
  // Deletes the tree, empties the name sets and releases the preloaded sounds; always true.
  bool Unload() override;

  CommandNode* GetRoot() const { return m_root.get(); }
  // The script's "onload" node (the last one when there are several), or null.
  CommandNode* GetOnLoad() const { return m_onload; }
  const std::set<std::string>& GetHintNames() const { return m_names.hints; }
  const std::set<std::string>& GetGameNames() const { return m_names.games; }
  const std::set<std::string>& GetLocationNames() const { return m_names.locations; }
  const std::set<std::string>& GetObjectNames() const { return m_names.objects; }
  const std::set<std::string>& GetSoundNames() const { return m_names.sounds; }
  const std::vector<cResource*>& GetPreloadedSounds() const { return m_sounds; }

 private:
  void Clear();
  // Fills the name sets and finds the onload node, reporting commands that misuse them.
  void CollectNames();
  void PreloadSounds();

  std::unique_ptr<CommandNode> m_root;
  CommandNode* m_onload = nullptr;
  ScriptNames m_names;
  std::vector<cResource*> m_sounds;  // one reference each
};

// Registers the creator of the "cnf" type with the resource manager.
void RegisterLocationResourceType();
