#include "bench/app/WalkMemory.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <malloc.h>
#include <set>
#include <vector>
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
double g_whole_peak_mb = 0;      // the largest peak read before the peak was started afresh

// The owner a mapping's resident pages are put down to: its file's name, or what kind of memory.
std::string OwnerOf(const std::string& header) {
  std::istringstream fields(header);
  std::string range, perms, offset, device, inode, path;
  fields >> range >> perms >> offset >> device >> inode;
  std::getline(fields >> std::ws, path);
  if (path.empty() || path == "[heap]") return "anonymous";
  if (path.rfind("/SYSV", 0) == 0 || path.rfind("/dev/shm", 0) == 0 || path.rfind("/memfd:", 0) == 0) return "shared memory";
  if (path[0] == '[') return path;
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

double ResidentMb() { return StatusMb("VmRSS:"); }
double PeakResidentMb() { return StatusMb("VmHWM:"); }

std::string ResidentByOwner() {
  std::ifstream smaps("/proc/self/smaps");
  std::map<std::string, long> kb;
  std::string line, owner;
  while (std::getline(smaps, line)) {
    if (line.empty()) continue;
    if (std::isxdigit(static_cast<unsigned char>(line[0])) && line.find('-') < line.find(' ')) {
      owner = OwnerOf(line);
    } else if (line.rfind("Rss:", 0) == 0) {
      kb[owner] += std::strtol(line.c_str() + 4, nullptr, 10);
    }
  }
  const struct mallinfo2 heap = mallinfo2();
  const double mb = 1024.0 * 1024.0;
  std::ostringstream out;
  char row[256];
  std::snprintf(row, sizeof row, "heap: %.1f MB in use, %.1f MB free in its arenas (%.1f MB of it in blocks of its own)\n\n",
                static_cast<double>(heap.uordblks + heap.hblkhd) / mb, static_cast<double>(heap.fordblks) / mb,
                static_cast<double>(heap.hblkhd) / mb);
  out << row << "| owner | resident MB |\n|---|---|\n";
  std::multimap<long, std::string, std::greater<>> by_size;
  long small = 0;
  for (const auto& [name, size] : kb) {
    if (size >= 1024) by_size.emplace(size, name);
    else small += size;
  }
  for (const auto& [size, name] : by_size) {
    std::snprintf(row, sizeof row, "| %s | %.1f |\n", name.c_str(), static_cast<double>(size) / 1024.0);
    out << row;
  }
  std::snprintf(row, sizeof row, "| everything under 1 MB | %.1f |\n", static_cast<double>(small) / 1024.0);
  out << row;
  return out.str();
}

void ForgetBenchMemory() {
  g_whole_peak_mb = std::max(g_whole_peak_mb, PeakResidentMb());
  malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
}

double WholePeakResidentMb() { return std::max(g_whole_peak_mb, PeakResidentMb()); }

std::string PicturesHeld() {
  struct Held {
    std::string name;
    double mb;
    bool on_device;
  };
  std::vector<Held> held;
  std::set<const void*> counted;  // a picture shared by two textures counts once
  double on_device = 0, waiting = 0;
  for (DeviceResource* resource : DeviceResource::List()) {
    const auto* texture = dynamic_cast<const Texture2D_D3D7*>(resource);
    if (texture == nullptr || texture->GetImage() == nullptr || !counted.insert(texture->GetImage()).second) continue;
    const double mb = static_cast<double>(texture->GetImage()->GetPixelBytes()) / (1024.0 * 1024.0);
    const bool built = texture->GetSurface() != nullptr;
    (built ? on_device : waiting) += mb;
    held.push_back({texture->GetName(), mb, built});
  }
  std::sort(held.begin(), held.end(), [](const Held& a, const Held& b) { return a.mb > b.mb; });
  std::ostringstream out;
  char row[512];
  std::snprintf(row, sizeof row,
                "decoded pictures the textures hold: %.1f MB of textures on the device, %.1f MB of textures not built "
                "yet, in %zu pictures\n\n",
                on_device, waiting, held.size());
  out << row;
  if (held.empty()) return out.str();
  out << "| texture | MB | on the device |\n|---|---|---|\n";
  for (std::size_t i = 0; i < held.size() && i < 12; ++i) {
    std::snprintf(row, sizeof row, "| %s | %.2f | %s |\n", held[i].name.c_str(), held[i].mb,
                  held[i].on_device ? "yes" : "no");
    out << row;
  }
  return out.str() + "\n";
}

double PicturesDrawnMb(const FrameStats& stats) {
  std::set<const void*> drawn;
  for (const FrameLayer& layer : stats.layers) {
    if (layer.texture != nullptr) drawn.insert(layer.texture);
  }
  std::set<const void*> counted;  // a picture shared by two textures counts once
  double bytes = 0;
  for (DeviceResource* resource : DeviceResource::List()) {
    const auto* texture = dynamic_cast<const Texture2D_D3D7*>(resource);
    if (texture == nullptr || drawn.count(texture->GetSurface().get()) == 0) continue;
    const void* picture = texture->GetImage() != nullptr ? static_cast<const void*>(texture->GetImage()) : texture;
    if (counted.insert(picture).second) bytes += static_cast<double>(texture->GetPictureBytes());
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
