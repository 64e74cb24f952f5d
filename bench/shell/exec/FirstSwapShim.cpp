// Preloaded into a program whose start-up is measured: when its first SDL_GL_SwapWindow returns,
// the time (CLOCK_MONOTONIC, nanoseconds) and the peak resident size so far (kB) are written to
// the file VELMARIS_FIRST_SWAP_FILE names, and the program ends there.

#include <dlfcn.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

struct SDL_Window;

namespace {

long PeakResidentKb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  char line[256];
  long kb = 0;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::strtol(line + 6, nullptr, 10);
  }
  std::fclose(status);
  return kb;
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
  using Swap = void (*)(SDL_Window*);
  static const auto real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  if (real != nullptr) real(window);
  const char* path = std::getenv("VELMARIS_FIRST_SWAP_FILE");
  if (path == nullptr) return;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  char text[96];
  const int length = std::snprintf(text, sizeof text, "%lld %ld\n",
                                   static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, PeakResidentKb());
  const int file = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (file >= 0) {
    if (write(file, text, static_cast<size_t>(length)) != length) std::perror("first swap file");
    close(file);
  }
  _exit(0);
}
