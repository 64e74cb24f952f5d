#include "source/core/Delegate.h"

std::map<int, DelegatePtr>& GlobalDelegateMap() {
  // Leaked on purpose: delegates in it may point at singletons that the exit sweep deletes.
  static auto* map = new std::map<int, DelegatePtr>();
  return *map;
}
