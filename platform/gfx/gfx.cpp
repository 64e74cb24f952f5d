// Driver enumeration and DirectDraw creation: the entry points of the graphics service.

#include "platform/gfx/gfx.h"

#include "platform/gfx/Backend.h"

namespace gfx {

Result EnumerateDrivers(std::vector<DriverInfo>& drivers) {
  drivers.clear();
  std::shared_ptr<detail::Backend> backend = detail::ActiveBackend();
  if (const Result r = backend->Admit(Call::kEnumerateDrivers, 0); Failed(r)) return r;
  drivers = backend->Drivers();
  return DD_OK;
}

Result CreateDirectDraw(const Guid* driver, std::shared_ptr<DirectDraw>& out) {
  out.reset();
  std::shared_ptr<detail::Backend> backend = detail::ActiveBackend();
  if (const Result r = backend->Admit(Call::kCreateDirectDraw, 0); Failed(r)) return r;
  bool known = false;
  for (const DriverInfo& info : backend->Drivers()) {
    if (driver == nullptr ? !info.has_guid : (info.has_guid && info.guid == *driver)) known = true;
  }
  if (!known) return driver == nullptr ? DDERR_NODIRECTDRAWHW : DDERR_INVALIDDIRECTDRAWGUID;
  out = std::make_shared<DirectDraw>(backend, driver);
  return DD_OK;
}

const char* BackendName() { return detail::ActiveBackend()->Name(); }

std::string LastErrorText() { return detail::ActiveBackend()->LastError(); }

}  // namespace gfx
