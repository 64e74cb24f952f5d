#pragma once
// Damaged copies of a good file for the loaders' tests: every truncation, and copies with one
// byte changed.

#include <cstddef>
#include <cstdint>
#include <vector>

// Calls `use` with every prefix of `file` (the empty one and the whole file too), then with a copy
// of the whole file for every `stride`-th byte, that byte inverted by `mask`.
template <class Use>
void ForEachDamagedCopy(const std::vector<uint8_t>& file, std::size_t stride, uint8_t mask, Use use) {
  for (std::size_t size = 0; size <= file.size(); ++size) {
    use(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size)));
  }
  for (std::size_t i = 0; i < file.size(); i += stride) {
    std::vector<uint8_t> damaged = file;
    damaged[i] ^= mask;
    use(damaged);
  }
}
