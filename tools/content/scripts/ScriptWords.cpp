#include "tools/content/scripts/ScriptWords.h"

#include <array>

namespace {

constexpr uint32_t kMany = kAnyParameterCount;

// Commands that act on a list (objects, items, sounds) need at least one entry to do anything; a
// "show" or "hide" of nothing would wait for ever. Commands that name one sub-location, game or
// phrase take exactly one.
constexpr std::array<ScriptWord, 24> kWords{{
    {"click", 0, 1},
    {"enable", 1, kMany},
    {"disable", 1, kMany},
    {"show", 1, kMany},
    {"hide", 1, kMany},
    {"flashshow", 1, kMany},
    {"flashhide", 1, kMany},
    {"showhelp", 1, kMany},
    {"hidehelp", 0, 0},
    {"showlocation", 1, 1},
    {"showmodallocation", 1, 1},
    {"hidelocation", 1, 1},
    {"game", 1, 1},
    {"hint", 1, 1},
    {"addinventory", 1, kMany},
    {"dropinventory", 1, kMany},
    {"addcard", 1, kMany},
    {"isvisible", 1, kMany},
    {"isenable", 1, kMany},
    {"isininventory", 1, kMany},
    {"isinjournal", 1, kMany},
    {"onload", 0, 0},
    {"endlocation", 0, 0},
    {"sound", 1, kMany},
}};

}  // namespace

const ScriptWord* FindScriptWord(std::string_view word) {
  for (const ScriptWord& entry : kWords) {
    if (entry.word == word) return &entry;
  }
  return nullptr;
}
