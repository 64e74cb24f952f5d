#include "Sources/adventure/LocationServices.h"

namespace {

LocationServices* g_installed = nullptr;

}  // namespace

LocationServices& GetLocationServices() {
  static LocationServices defaults;
  return g_installed != nullptr ? *g_installed : defaults;
}

void InstallLocationServices(LocationServices* services) { g_installed = services; }
