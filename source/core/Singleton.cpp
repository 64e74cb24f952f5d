#include "source/core/Singleton.h"

#include <cstdlib>
#include <list>
#include <stdexcept>

namespace {

// A list with a count limit, as the program has always had; the limit guards against runaway
// creation rather than any real need.
constexpr std::size_t kMaxSingletons = 0x3FFFFFFE;

struct SingletonList {
  std::list<SingletonBase*> entries;
  bool sweeping = false;
};

SingletonList& List() {
  static SingletonList* list = [] {
    std::atexit(DestroySingletons);
    return new SingletonList();  // never freed: it must outlive every static destructor
  }();
  return *list;
}

}  // namespace

SingletonBase::SingletonBase() {
  SingletonList& list = List();
  if (list.entries.size() >= kMaxSingletons) throw std::length_error("list<T> too long");
  list.entries.push_back(this);
}

SingletonBase::~SingletonBase() {
  // A singleton deleted outside the sweep (a test, an owner) leaves the list as well.
  SingletonList& list = List();
  if (!list.sweeping) list.entries.remove(this);
}

void DestroySingletons() {
  SingletonList& list = List();
  while (!list.entries.empty()) {
    SingletonBase* newest = list.entries.back();
    list.entries.pop_back();
    list.sweeping = true;
    delete newest;
    list.sweeping = false;
  }
}

std::size_t LiveSingletonCount() { return List().entries.size(); }
