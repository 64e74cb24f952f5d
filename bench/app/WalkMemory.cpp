#include "bench/app/WalkMemory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>

#include "source/render/DeviceResource.h"
#include "source/texture/Texture2D_D3D7.h"
#include "source/texture/TextureResource.h"

namespace {

double StatusMb(const char* key) {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  char line[256];
  long kb = 0;
  const std::size_t length = std::strlen(key);
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, key, length) == 0) kb = std::strtol(line + length, nullptr, 10);
  }
  std::fclose(status);
  return static_cast<double>(kb) / 1024.0;
}

DecodeTrace* g_trace = nullptr;  // the one trace observing

}  // namespace

double ResidentMb() { return StatusMb("VmRSS:"); }
double PeakResidentMb() { return StatusMb("VmHWM:"); }

double PicturesDrawnMb(const FrameStats& stats) {
  std::set<const void*> drawn;
  for (const FrameLayer& layer : stats.layers) {
    if (layer.texture != nullptr) drawn.insert(layer.texture);
  }
  std::set<const Image*> counted;
  double bytes = 0;
  for (DeviceResource* resource : DeviceResource::List()) {
    const auto* texture = dynamic_cast<const Texture2D_D3D7*>(resource);
    if (texture == nullptr || texture->GetImage() == nullptr || drawn.count(texture->GetSurface().get()) == 0) continue;
    if (counted.insert(texture->GetImage()).second) bytes += static_cast<double>(texture->GetImage()->GetPixelBytes());
  }
  return bytes / (1024.0 * 1024.0);
}

DecodeTrace::DecodeTrace() {
  g_trace = this;
  TextureResource::SetDecodeObserver(&DecodeTrace::Observe);
}

DecodeTrace::~DecodeTrace() {
  TextureResource::SetDecodeObserver(nullptr);
  g_trace = nullptr;
}

void DecodeTrace::Observe(const std::string& name) {
  if (g_trace == nullptr) return;
  ++g_trace->m_decodes;
  g_trace->m_by_name[name].push_back(g_trace->m_screen);
}

std::map<std::string, std::vector<std::string>> DecodeTrace::Repeated() const {
  std::map<std::string, std::vector<std::string>> repeated;
  for (const auto& [name, screens] : m_by_name) {
    if (screens.size() > 1) repeated.emplace(name, screens);
  }
  return repeated;
}

std::string DecodeTrace::Table() const {
  std::ostringstream out;
  const auto repeated = Repeated();
  out << m_decodes << " decodes of " << m_by_name.size() << " pictures; decoded more than once: " << repeated.size()
      << "\n\n";
  if (repeated.empty()) return out.str();
  out << "| picture | decodes | on the way to |\n|---|---|---|\n";
  for (const auto& [name, screens] : repeated) {
    out << "| " << name << " | " << screens.size() << " |";
    for (const std::string& screen : screens) out << " " << screen;
    out << " |\n";
  }
  return out.str();
}
