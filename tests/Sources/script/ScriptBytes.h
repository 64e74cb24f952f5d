#pragma once
// Script files written byte by byte, for the tests of the "cnf" reader and its users.

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/MemoryBytes.h"

inline std::string U32(uint32_t value) { return Word(value); }
inline std::string Str(const std::string& text) { return U32(static_cast<uint32_t>(text.size())) + text; }

// One node's bytes around its children's bytes (already joined); parameters are {kind, value}.
inline std::string NodeBytes(const std::string& type, const std::vector<std::pair<uint32_t, std::string>>& parameters,
                             const std::string& result, uint32_t child_count, const std::string& children = "") {
  std::string bytes = Str(type) + U32(static_cast<uint32_t>(parameters.size()));
  for (const auto& [kind, value] : parameters) bytes += U32(kind) + Str(value);
  return bytes + Str(result) + U32(child_count) + children;
}

// A chain of `levels` nodes, each the only child of the one before.
inline std::string ChainBytes(uint32_t levels) {
  std::string bytes = NodeBytes("n", {}, "", 0);
  for (uint32_t level = 1; level < levels; ++level) bytes = NodeBytes("n", {}, "", 1, bytes);
  return bytes;
}
