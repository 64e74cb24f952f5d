#include "source/texture/ImageDamage.h"

namespace {

thread_local std::string t_damage;

}  // namespace

void NoteImageDamage(const std::string& what) { t_damage = what; }

std::string TakeImageDamage() {
  std::string taken;
  taken.swap(t_damage);
  return taken;
}
