#pragma once
// Anything that holds device objects and must hear when the device is torn down and rebuilt:
// textures, buffers, cameras, lights and the render system itself. Every live one sits in one
// process-wide list, in creation order, that a device reset walks.

#include <vector>

class DeviceResource {
 public:
  DeviceResource();
  virtual ~DeviceResource();
  DeviceResource(const DeviceResource&) = delete;
  DeviceResource& operator=(const DeviceResource&) = delete;

  // Called before the device is released.
  virtual void OnDeviceRelease() {}
  // Called after the device has been created again.
  virtual void OnDeviceRestore() {}

  // Every resource's release hook, then (after the caller rebuilt the device) every restore hook.
  // A hook may create or destroy resources: the walk works on a copy and skips the ones gone.
  static void ReleaseAll();
  static void RestoreAll();
  // The list, owning nothing.
  static const std::vector<DeviceResource*>& List();
};
