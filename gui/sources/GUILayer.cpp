#include "gui/include/GUILayer.h"

#include <algorithm>

#include "source/render/RenderObject.h"

namespace {

template <class T>
bool Contains(const std::vector<T*>& list, const T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

template <class T>
void EraseFirst(std::vector<T*>& list, const T* item) {
  auto found = std::find(list.begin(), list.end(), item);
  if (found != list.end()) list.erase(found);
}

// GUI objects are drawn in the GUI group and keep the depth the layers give them.
constexpr uint32_t kGuiDrawBits = kRenderObjectGuiGroup | kRenderObjectNoDepth;
constexpr uint32_t kNotGuiBits = 0x80;

}  // namespace

GUILayer::GUILayer(std::string name) : m_name(std::move(name)) {}

GUILayer::~GUILayer() {
  SetParent(nullptr);
  // Deleting a child takes it out of this list, so the list is walked from a copy.
  const std::vector<GUILayer*> left = m_children;
  for (GUILayer* child : left) {
    child->m_parent = nullptr;
    delete child;
  }
}

void GUILayer::SetParent(GUILayer* parent) {
  if (m_parent != nullptr) m_parent->RemoveChild(this);
  m_parent = parent;
  if (parent != nullptr) parent->AddChild(this);
}

void GUILayer::AddChild(GUILayer* child) {
  if (child == nullptr || Contains(m_children, child)) return;
  m_children.push_back(child);
  child->m_parent = this;
  MarkDepthsStale();
}

void GUILayer::RemoveChild(GUILayer* child) {
  EraseFirst(m_children, child);
  if (child != nullptr && child->m_parent == this) child->m_parent = nullptr;
  MarkDepthsStale();
}

void GUILayer::MoveToFront() {
  if (m_parent == nullptr) return;
  std::vector<GUILayer*>& siblings = m_parent->m_children;
  EraseFirst(siblings, this);
  siblings.insert(siblings.begin(), this);
  m_parent->MarkDepthsStale();
}

void GUILayer::MoveToBack() {
  if (m_parent == nullptr) return;
  std::vector<GUILayer*>& siblings = m_parent->m_children;
  if (!siblings.empty() && siblings.back() == this) return;
  EraseFirst(siblings, this);
  siblings.push_back(this);
  m_parent->MarkDepthsStale();
}

void GUILayer::AddObject(RenderObject* object) {
  if (object == nullptr) return;
  object->SetFlagBits(kGuiDrawBits);
  object->ClearFlagBits(kNotGuiBits);
  if (!Contains(m_objects, object)) m_objects.push_back(object);
  MarkDepthsStale();
}

void GUILayer::RemoveObject(RenderObject* object) {
  EraseFirst(m_objects, object);
  MarkDepthsStale();
}

void GUILayer::MoveObjectToFront(RenderObject* object) {
  EraseFirst(m_objects, object);
  m_objects.insert(m_objects.begin(), object);
  MarkDepthsStale();
}

void GUILayer::MarkDepthsStale() {
  for (GUILayer* layer = this; layer != nullptr; layer = layer->m_parent) layer->m_depths_stale = true;
}

float GUILayer::AssignDepth(float depth) {
  m_depths_stale = false;
  for (RenderObject* object : m_objects) {
    object->SetViewDepth(depth);
    depth -= 1.0f;
  }
  depth -= 1.0f;
  for (GUILayer* child : m_children) depth = child->AssignDepth(depth - 1.0f);
  return depth;
}
