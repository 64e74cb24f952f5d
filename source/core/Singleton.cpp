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
  // Whoever deletes a singleton (the sweep, an owner, a test; also an owner's destructor during
  // the sweep, or a constructor that throws) takes it out of the list, so the sweep never meets
  // it again. The sweep unlinks its own entry before deleting it, so this finds nothing then.
  List().entries.remove(this);
}

void DestroySingletons() {
  SingletonList& list = List();
  while (!list.entries.empty()) {
    SingletonBase* newest = list.entries.back();
    list.entries.pop_back();
    delete newest;
  }
}

std::size_t LiveSingletonCount() { return List().entries.size(); }
