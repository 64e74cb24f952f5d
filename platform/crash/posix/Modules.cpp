// The loaded modules, from the dynamic loader's own list (dl_iterate_phdr). The loader keeps no
// allocation on this path; it does take its lock, so a crash inside the loader itself would
// stop here, which is the price of naming the modules at all.

#include <dlfcn.h>
#include <link.h>

#include "platform/crash/crash.h"
#include "platform/crash/posix/ProcessInfo.h"

namespace crash {
namespace {

Module Describe(const dl_phdr_info& info) {
  Module module;
  uintptr_t low = UINTPTR_MAX;
  uintptr_t high = 0;
  for (int i = 0; i < info.dlpi_phnum; ++i) {
    const ElfW(Phdr)& header = info.dlpi_phdr[i];
    if (header.p_type != PT_LOAD) continue;
    const uintptr_t start = info.dlpi_addr + header.p_vaddr;
    if (start < low) low = start;
    if (start + header.p_memsz > high) high = start + header.p_memsz;
  }
  if (low == UINTPTR_MAX) low = high = info.dlpi_addr;
  module.base = low;
  module.size = high - low;
  const char* name = info.dlpi_name;
  // The program itself has no name in the list.
  module.path = (name == nullptr || name[0] == '\0') ? ExecutablePath() : name;
  return module;
}

struct VisitContext {
  ModuleVisitor visitor;
  void* context;
  int count;
};

int Visit(dl_phdr_info* info, size_t, void* data) {
  auto* visit = static_cast<VisitContext*>(data);
  visit->visitor(Describe(*info), visit->context);
  ++visit->count;
  return 0;
}

struct FindContext {
  uintptr_t address;
  Module* found;
  bool hit;
};

int Find(dl_phdr_info* info, size_t, void* data) {
  auto* find = static_cast<FindContext*>(data);
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& header = info->dlpi_phdr[i];
    if (header.p_type != PT_LOAD) continue;
    const uintptr_t start = info->dlpi_addr + header.p_vaddr;
    if (find->address >= start && find->address - start < header.p_memsz) {
      *find->found = Describe(*info);
      find->hit = true;
      return 1;  // stops the walk
    }
  }
  return 0;
}

}  // namespace

int ForEachModule(ModuleVisitor visitor, void* context) {
  if (visitor == nullptr) return 0;
  VisitContext visit{visitor, context, 0};
  dl_iterate_phdr(&Visit, &visit);
  return visit.count;
}

bool FindModule(const void* address, Module* module) {
  if (module == nullptr) return false;
  FindContext find{reinterpret_cast<uintptr_t>(address), module, false};
  dl_iterate_phdr(&Find, &find);
  return find.hit;
}

bool FindSymbol(const void* address, const char** name, uintptr_t* offset) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_sname == nullptr || info.dli_saddr == nullptr) {
    return false;
  }
  if (name != nullptr) *name = info.dli_sname;
  if (offset != nullptr) {
    *offset = reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(info.dli_saddr);
  }
  return true;
}

}  // namespace crash
