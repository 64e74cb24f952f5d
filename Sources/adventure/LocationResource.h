#pragma once
// The "cnf" resource: a location's script, a tree of command nodes, loaded on first reference.
// The adventure core gives the nodes their meaning and the data its format; this build keeps the
// resource's life: its bytes are read on Load, the tree is deleted on Unload and at destruction,
// and the resources the script holds are released with it.

#include <memory>
#include <string>
#include <vector>

#include "source/Resources/cTypedResource.h"

// One command of a location script and the commands beneath it (owned).
struct LocationCommandNode {
  std::string name;
  std::vector<std::string> parameters;
  std::vector<LocationCommandNode*> children;
};

class LocationResource : public cTypedResource<LocationResource> {
 public:
  static constexpr const char* kTypeName = "cnf";
  using cTypedResource::cTypedResource;
  ~LocationResource() override;

  // Reads the script's bytes; false when they cannot be had.
  bool Load() override;
  // Deletes the command tree.
  bool Unload() override;

  // Deletes every child of `node` first, recursively in child order, then the node itself.
  static void DeleteNode(LocationCommandNode* node);

  LocationCommandNode* GetRoot() const { return m_root; }
  void SetRoot(LocationCommandNode* root);
  // A resource the script holds a reference to; released when the script goes.
  void HoldResource(cResource* resource);
  std::size_t GetDataSize() const { return m_data_size; }

 private:
  LocationCommandNode* m_root = nullptr;
  std::vector<cResource*> m_resources;
  std::size_t m_data_size = 0;
};

// Registers the creator of the "cnf" type with the resource manager.
void RegisterLocationResourceType();
