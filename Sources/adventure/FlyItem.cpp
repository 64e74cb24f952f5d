#include "Sources/adventure/FlyItem.h"

#include <algorithm>

#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindow.h"
#include "gui/include/GUIWindowManager.h"
#include "gui/include/WindowEffectOwner.h"
#include "source/particle/ParticleEffectHandle.h"
#include "source/particle/ParticleSystem.h"
#include "source/render/RenderObject.h"
#include "source/timer/cTimerManager.h"

namespace {

GUIWindow* DefaultParent() {
  if (const GUIWindowManager* windows = GUIWindowManager::PeekInstance()) {
    if (GUIWindow* panel = windows->GetWindow("game_panel")) return panel;
  }
  const GUISystem* gui = GUISystem::PeekInstance();
  return gui != nullptr ? gui->GetRoot() : nullptr;
}

}  // namespace

std::map<int32_t, FlyArrivalHandler>& FlyArrivalRegistry() {
  static std::map<int32_t, FlyArrivalHandler> registry;
  return registry;
}

void DeliverFlyingItemRecord(const FlyingItemRecord& record) {
  auto found = FlyArrivalRegistry().find(static_cast<int32_t>(record.m_kind));
  if (found != FlyArrivalRegistry().end() && found->second) found->second(record);
}

FlyItem::FlyItem(const RenderObject* source, const Vector3& target, const Vector3& start,
                 const FlyingItemRecord& record, GUIWindow* parent)
    : m_target(target), m_start(start), m_record(record) {
  if (parent == nullptr) parent = DefaultParent();
  m_window = new GUIWindow(parent, "fly_item");
  m_window->Show(true);
  m_window->SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
  if (source != nullptr) {
    m_clone = RenderObject::Clone(*source);
    m_clone->ComputeBounds();
    m_clone->SetVisible(true);
    m_window->GetVisual().SetModel(m_clone.get());
    m_window->GetVisual().SetApplyPlacementMatrix(false);
  }
  m_effect_owner = std::make_unique<WindowEffectOwner>(m_window);
}

FlyItem::~FlyItem() {
  m_effect.reset();
  if (m_window != nullptr && m_clone) m_window->ForgetRenderObject(m_clone.get());
  delete m_window;
  m_clone.reset();
}

void FlyItem::RestartEffect(const cParticleResource* resource) {
  m_effect.reset();
  m_effect = std::make_unique<ParticleEffectHandle>(resource, m_effect_owner.get(), m_clock);
  if (m_effect->GetSystem() != nullptr) m_effect->StartAt(m_start);
}

void FlyItem::Deliver() {
  if (m_record.m_kind == kFlightDelivered) return;
  DeliverFlyingItemRecord(m_record);
  m_record.m_kind = kFlightDelivered;
}

bool FlyItem::Update() {
  const cTimerManager* timers = cTimerManager::PeekInstance();
  return Update(timers != nullptr ? timers->GetFrameDelta() : 0.0f);
}

void FlyItem::PlaceAt(const Vector3& point, float grow) {
  if (!m_clone) return;
  // The clone keeps its model's own coordinates: the matrix puts the centre of its box on the point.
  const cBoundingBox& box = m_clone->GetBoundingBox();
  Vector3 centre;
  if (box.m_local_min.x <= box.m_local_max.x) {
    centre = Vector3((box.m_local_min.x + box.m_local_max.x) * 0.5f, (box.m_local_min.y + box.m_local_max.y) * 0.5f, 0.0f);
  }
  const float scale = m_scale * grow;
  Matrix4 placement = Matrix4::MakeScale(scale, scale, 1.0f);
  placement[12] = point.x - centre.x * scale;
  placement[13] = point.y - centre.y * scale;
  placement[14] = point.z;
  m_clone->SetWorldMatrix(placement);
  m_window->SetWorldMatrix(Matrix4::MakeTranslation(point.x, point.y, point.z));
  if (m_effect) m_effect->SetPosition(point);
}

bool FlyItem::Update(float dt) {
  const float u = m_clock - 1.0f;
  if (u > 0.0f) {
    m_clock -= u <= kSlowDown ? (u / kSlowDown * 0.9f + 0.1f) * dt : dt;
    const float f = std::clamp((m_clock - 1.0f) / 0.7f, 0.0f, 1.0f);
    const Vector3 point(m_target.x + f * (m_start.x - m_target.x), m_target.y + f * (m_start.y - m_target.y),
                        m_target.z + f * (m_start.z - m_target.z));
    PlaceAt(point, m_grow ? (1.0f - f) * 0.8f + 0.2f : 1.0f);
    if (m_clock - 1.0f <= 0.0f) Deliver();
    return true;
  }
  PlaceAt(m_target, 1.0f);
  m_clock -= kRestSpeed * dt;
  if (m_fade) m_window->SetColor(Vector4(1.0f, 1.0f, 1.0f, std::clamp(m_clock, 0.0f, 1.0f)));
  return m_effect != nullptr && m_effect->GetSystem() != nullptr && !m_effect->IsFinished();
}
