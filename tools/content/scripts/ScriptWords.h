#pragma once
// The command words a location script may use, with how many parameters each takes.

#include <cstdint>
#include <string_view>

struct ScriptWord {
  std::string_view word;
  uint32_t least_parameters;
  uint32_t most_parameters;
};

inline constexpr uint32_t kAnyParameterCount = 0xFFFFFFFFu;

// The word's entry, or null for a word the location does not run.
const ScriptWord* FindScriptWord(std::string_view word);
