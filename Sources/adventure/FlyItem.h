#pragma once
// Everything the game panel acquires arrives by air: a small window carrying a copy of a model from
// a start point to a target point on the panel, with a particle trail. On landing it delivers its
// record, once, through the arrival registry, which gives the acquisition its effect.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "Sources/shell/userdata/ProfileRecords.h"
#include "source/math/Vector.h"

class GUIWindow;
class ParticleEffectHandle;
class RenderObject;
class WindowEffectOwner;
class cParticleResource;

// What a landing does, by the record's kind. A delivered record (and a purely decorative flight)
// has the kind kFlightDelivered.
enum FlightKind : uint32_t {
  kFlightInventory = 0,
  kFlightMap = 1,
  kFlightHintCharge = 2,
  kFlightHintIcon = 3,
  kFlightLens = 4,
  kFlightHalfLocket = 5,
  kFlightLocket = 6,
  kFlightLocationItem = 7,
  kFlightAmulet = 8,
  kFlightDiaryPage = 9,
  kFlightDelivered = 10,
};

// The handler of each kind; the panel fills it once when it is made.
using FlyArrivalHandler = std::function<void(const FlyingItemRecord&)>;
std::map<int32_t, FlyArrivalHandler>& FlyArrivalRegistry();

// Hands the record to its kind's handler at once, without a flight (items that were still in the
// air when progress was saved). A kind without a handler does nothing.
void DeliverFlyingItemRecord(const FlyingItemRecord& record);

class FlyItem {
 public:
  static constexpr float kStartClock = 1.7f;      // 0.7 s of flight, then the rest after landing
  static constexpr float kSlowDown = 0.3f;        // the last part of the flight slows down
  static constexpr float kRestSpeed = 1.5f;       // the clock's speed once landed

  // The window "fly_item" is made under `parent` (null: the window manager's "game_panel", else
  // the GUI root), shown in full colour, drawing a clone of `source` (none when null).
  FlyItem(const RenderObject* source, const Vector3& target, const Vector3& start, const FlyingItemRecord& record,
          GUIWindow* parent = nullptr);
  virtual ~FlyItem();
  FlyItem(const FlyItem&) = delete;
  FlyItem& operator=(const FlyItem&) = delete;

  // One frame on the timer manager's delta; false once the item may be deleted.
  bool Update();
  bool Update(float dt);
  // Hands the record to its kind's handler unless it was delivered already.
  void Deliver();
  void SetKind(uint32_t kind) { m_record.m_kind = kind; }
  // The trail from `resource` over the window, living as long as the clock, started at the start
  // point (the launcher's effect, or a replacement of it).
  void RestartEffect(const cParticleResource* resource);

  void SetGrow(bool on) { m_grow = on; }
  void SetFade(bool on) { m_fade = on; }
  float GetClock() const { return m_clock; }
  bool HasLanded() const { return m_clock - 1.0f <= 0.0f; }
  const FlyingItemRecord& GetRecord() const { return m_record; }
  const Vector3& GetTarget() const { return m_target; }
  const Vector3& GetStart() const { return m_start; }
  GUIWindow* GetWindow() const { return m_window; }
  RenderObject* GetClone() const { return m_clone.get(); }
  ParticleEffectHandle* GetEffect() const { return m_effect.get(); }

 private:
  // Puts the centre of the clone's box on `point`, at the flight's scale.
  void PlaceAt(const Vector3& point, float grow);

  Vector3 m_target;
  Vector3 m_start;
  float m_clock = kStartClock;
  float m_scale = 1.0f;
  bool m_grow = false;
  bool m_fade = false;
  GUIWindow* m_window = nullptr;  // owned; deleted after the effect and before the clone
  std::unique_ptr<RenderObject> m_clone;
  std::unique_ptr<WindowEffectOwner> m_effect_owner;
  std::unique_ptr<ParticleEffectHandle> m_effect;
  FlyingItemRecord m_record;
};
