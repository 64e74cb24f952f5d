#include "source/render/ModelManager.h"

#include <algorithm>
#include <cmath>

#include "source/render/OverlayQuad.h"
#include "source/render/RenderObject.h"
#include "source/render/RenderSystem.h"
#include "source/render/RenderWindow.h"

namespace {

// Enough to have a screen's pictures built within a second behind the quad, few enough that no
// frame of it is long.
constexpr uint32_t kHiddenTexturesBuiltPerFrame = 2;

int Group(uint32_t flags) {
  if (flags & kRenderObjectFirstGroup) return 0;
  if (flags & kRenderObjectGuiGroup) return 1;
  return 2;
}

// a before b by depth; a NaN depth goes after every number.
bool DepthBefore(float a, float b, bool ascending) {
  const bool a_nan = std::isnan(a);
  const bool b_nan = std::isnan(b);
  if (a_nan || b_nan) return !a_nan && b_nan;
  return ascending ? a < b : a > b;
}

template <class T>
void RemoveFirst(std::vector<T*>& list, T* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it != list.end()) list.erase(it);
}

}  // namespace

bool ModelManager::DrawsBefore(const RenderObject* a, const RenderObject* b) {
  const int group_a = Group(a->GetFlags());
  const int group_b = Group(b->GetFlags());
  if (group_a != group_b) return group_a < group_b;
  if (group_a == 2) return false;
  return DepthBefore(a->GetViewDepth(), b->GetViewDepth(), group_a == 0);
}

void ModelManager::AddObject(RenderObject* object) {
  if (object == nullptr || std::find(m_objects.begin(), m_objects.end(), object) != m_objects.end()) return;
  m_objects.push_back(object);
  if (m_rendering) m_removed.erase(std::remove(m_removed.begin(), m_removed.end(), object), m_removed.end());
}

void ModelManager::RemoveObject(RenderObject* object) {
  if (object == nullptr) return;
  RemoveFirst(m_objects, object);
  if (m_rendering) {
    m_removed.push_back(object);
    std::replace(m_sorted.begin(), m_sorted.end(), object, static_cast<RenderObject*>(nullptr));
  } else {
    RemoveFirst(m_sorted, object);
  }
}

bool ModelManager::WasRemovedDuringRender(const RenderObject* object) const {
  return std::find(m_removed.begin(), m_removed.end(), object) != m_removed.end();
}

void ModelManager::AddOverlay(OverlayQuad* quad) {
  if (quad == nullptr || std::find(m_overlays.begin(), m_overlays.end(), quad) != m_overlays.end()) return;
  m_overlays.push_back(quad);
}

void ModelManager::RemoveOverlay(OverlayQuad* quad) {
  if (m_rendering) {
    std::replace(m_overlays.begin(), m_overlays.end(), quad, static_cast<OverlayQuad*>(nullptr));
  } else {
    RemoveFirst(m_overlays, quad);
  }
}

std::size_t ModelManager::FirstOverlaySeen() const {
  for (std::size_t i = m_overlays.size(); i-- > 0;) {
    if (m_overlays[i] != nullptr && m_overlays[i]->HidesWhatIsBeneath()) return i;
  }
  return m_overlays.size();
}

void ModelManager::BuildHiddenTextures() {
  uint32_t left = kHiddenTexturesBuiltPerFrame;
  for (std::size_t i = 0; left > 0 && i < m_sorted.size(); ++i) {
    if (m_sorted[i] != nullptr) left -= m_sorted[i]->BuildTextures(left);
  }
}

void ModelManager::PlanDrawing() {
  uint32_t width = 0, height = 0;
  GetRenderClientSize(width, height);
  m_covers.clear();
  for (const RenderObject* object : m_sorted) m_covers.push_back(object->MeasureScreenCover(width, height));
  PlanDraws(m_covers, m_plans);
}

void ModelManager::DrawPlanned(std::size_t i) {
  // What opaque quads hide is left out only while they are all still there to be drawn.
  const DrawPlan& plan = m_plans[i];
  bool painted = plan.kind != DrawPlan::kWhole;
  for (int painter : plan.painters) {
    if (painter >= 0 && m_sorted[static_cast<std::size_t>(painter)] == nullptr) painted = false;
  }
  if (painted && plan.kind == DrawPlan::kHidden) return;
  PixelRect parts[4];
  const int count = painted ? PartsAround(m_covers[i].bounds, plan.hole, parts) : 0;
  if (count == 0 || !m_render_system->SetClipRect(&parts[0])) {
    m_sorted[i]->Draw();
    return;
  }
  for (int k = 0; k < count && m_sorted[i] != nullptr; ++k) {
    if (k > 0) m_render_system->SetClipRect(&parts[k]);
    m_sorted[i]->Draw();
  }
  m_render_system->SetClipRect(nullptr);
}

void ModelManager::Render() {
  m_faces_to_draw = m_face_count = m_visible = m_drawn = 0;
  if (m_render_system == nullptr || !m_render_system->IsDeviceReady()) return;
  m_sorted.clear();
  m_sorted.reserve(m_objects.size());
  m_walk = m_objects;
  m_removed.clear();
  m_rendering = true;
  for (RenderObject* object : m_walk) {
    if (object == nullptr || WasRemovedDuringRender(object) || !object->IsVisible()) continue;
    object->Update(true);
    if (WasRemovedDuringRender(object)) continue;  // its own update hid or deleted it
    m_faces_to_draw += object->GetFacesToDraw();
    m_face_count += object->GetFaceCount();
    ++m_visible;
    if (object->GetFaceCount() != 0) {
      ++m_drawn;
      m_sorted.push_back(object);
    }
  }
  // An update may have taken out an object appended before it.
  m_sorted.erase(std::remove(m_sorted.begin(), m_sorted.end(), nullptr), m_sorted.end());
  std::sort(m_sorted.begin(), m_sorted.end(), DrawsBefore);
  // Objects and quads beneath an opaque quad over the whole screen (the logos in front of the
  // menu) are updated but not drawn; their textures are built a few a frame, ready when they show.
  const std::size_t first_overlay = FirstOverlaySeen();
  const bool covered = first_overlay < m_overlays.size();
  if (!covered) PlanDrawing();
  m_render_system->BeginFrame();
  // By index and skipping blanks: a draw may add objects or quads, or take them out.
  for (std::size_t i = 0; !covered && i < m_sorted.size(); ++i) {
    if (m_sorted[i] != nullptr) DrawPlanned(i);
  }
  for (std::size_t i = covered ? first_overlay : 0; i < m_overlays.size(); ++i) {
    if (m_overlays[i] != nullptr) m_overlays[i]->Draw();
  }
  if (covered) BuildHiddenTextures();
  m_render_system->EndFrame();
  m_rendering = false;
  m_sorted.erase(std::remove(m_sorted.begin(), m_sorted.end(), nullptr), m_sorted.end());
  m_overlays.erase(std::remove(m_overlays.begin(), m_overlays.end(), nullptr), m_overlays.end());
  m_walk.clear();
  m_removed.clear();
  m_mode_changed = false;
}
