// The primary buffer's 3D listener: settings kept, deferred ones held until committed.

#include "platform/audio/audio.h"

namespace audio {

template <class Change>
Result Listener::Apply(uint32_t apply, Change change) {
  if (apply != kApplyImmediate && apply != kApplyDeferred) return DSERR_INVALIDPARAM;
  change(m_deferred);
  if (apply == kApplyImmediate) change(m_current);
  return DS_OK;
}

Result Listener::SetPosition(float x, float y, float z, uint32_t apply) {
  return Apply(apply, [&](ListenerSettings& s) { s.position = {x, y, z}; });
}

Result Listener::SetVelocity(float x, float y, float z, uint32_t apply) {
  return Apply(apply, [&](ListenerSettings& s) { s.velocity = {x, y, z}; });
}

Result Listener::SetOrientation(const Vector3& front, const Vector3& top, uint32_t apply) {
  return Apply(apply, [&](ListenerSettings& s) {
    s.front = front;
    s.top = top;
  });
}

Result Listener::SetDistanceFactor(float factor, uint32_t apply) {
  if (!(factor > 0.0f)) return DSERR_INVALIDPARAM;
  return Apply(apply, [&](ListenerSettings& s) { s.distance_factor = factor; });
}

Result Listener::SetRolloffFactor(float factor, uint32_t apply) {
  if (!(factor >= 0.0f && factor <= 10.0f)) return DSERR_INVALIDPARAM;
  return Apply(apply, [&](ListenerSettings& s) { s.rolloff_factor = factor; });
}

Result Listener::SetDopplerFactor(float factor, uint32_t apply) {
  if (!(factor >= 0.0f && factor <= 10.0f)) return DSERR_INVALIDPARAM;
  return Apply(apply, [&](ListenerSettings& s) { s.doppler_factor = factor; });
}

Result Listener::CommitDeferredSettings() {
  m_current = m_deferred;
  return DS_OK;
}

Result Listener::GetAllParameters(ListenerSettings* settings) const {
  if (settings == nullptr) return DSERR_INVALIDPARAM;
  *settings = m_current;
  return DS_OK;
}

}  // namespace audio
