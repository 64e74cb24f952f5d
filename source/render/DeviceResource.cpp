#include "source/render/DeviceResource.h"

#include <algorithm>

namespace {

// Never destroyed, so a resource that outlives static destruction can still leave the list.
std::vector<DeviceResource*>& Resources() {
  static auto* const list = new std::vector<DeviceResource*>();
  return *list;
}

bool StillListed(DeviceResource* resource) {
  const auto& list = Resources();
  return std::find(list.begin(), list.end(), resource) != list.end();
}

}  // namespace

DeviceResource::DeviceResource() { Resources().push_back(this); }

DeviceResource::~DeviceResource() {
  auto& list = Resources();
  auto it = std::find(list.begin(), list.end(), this);
  if (it != list.end()) list.erase(it);
}

void DeviceResource::ReleaseAll() {
  const std::vector<DeviceResource*> walk = Resources();
  for (DeviceResource* resource : walk) {
    if (StillListed(resource)) resource->OnDeviceRelease();
  }
}

void DeviceResource::RestoreAll() {
  const std::vector<DeviceResource*> walk = Resources();
  for (DeviceResource* resource : walk) {
    if (StillListed(resource)) resource->OnDeviceRestore();
  }
}

const std::vector<DeviceResource*>& DeviceResource::List() { return Resources(); }
