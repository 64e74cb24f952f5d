#include "Sources/adventure/LocationResource.h"

#include <vector>

#include "source/stream/cMemoryStream.h"

LocationResource::~LocationResource() {
  DeleteNode(m_root);
  m_root = nullptr;
  for (cResource* resource : m_resources) cResource::Release(resource);
  m_resources.clear();
}

bool LocationResource::Load() {
  cMemoryStream bytes;
  if (!LoadData(bytes)) {
    m_data_size = 0;
    return false;
  }
  m_data_size = bytes.GetSize();
  return true;
}

bool LocationResource::Unload() {
  DeleteNode(m_root);
  m_root = nullptr;
  m_data_size = 0;
  return true;
}

void LocationResource::DeleteNode(LocationCommandNode* node) {
  if (node == nullptr) return;
  // Iteratively, so that a deep script cannot exhaust the stack; the order stays children first,
  // in child order, then the node.
  struct Frame {
    LocationCommandNode* node;
    std::size_t next_child;
  };
  std::vector<Frame> stack{{node, 0}};
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next_child < top.node->children.size()) {
      LocationCommandNode* child = top.node->children[top.next_child++];
      if (child != nullptr) stack.push_back({child, 0});
      continue;
    }
    delete top.node;
    stack.pop_back();
  }
}

void LocationResource::SetRoot(LocationCommandNode* root) {
  if (root == m_root) return;
  DeleteNode(m_root);
  m_root = root;
}

void LocationResource::HoldResource(cResource* resource) {
  if (resource != nullptr) m_resources.push_back(resource);
}

void RegisterLocationResourceType() {
  cResourceManager::GetInstance()->RegisterResourceType<LocationResource>();
}
