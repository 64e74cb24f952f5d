#pragma once
// Reads an "EEMLF" model file into its record. Every count, length and index (vertex, node, key)
// is checked against the bytes the file really holds before anything is allocated for it, so a
// damaged or hostile file is refused and costs no more memory than its own size.

#include <cstddef>
#include <cstdint>
#include <string>

#include "source/model/ModelFile.h"

enum class ModelFileStatus {
  kRead,
  kNotModelFile,  // size, magic or version do not match: another format, or another version
  kDamaged,       // the header matches but the body does not hold together
};

// `error` says what was wrong (for the log); `data` is complete only on kRead.
ModelFileStatus ReadModelFile(const uint8_t* bytes, std::size_t size, ModelFileData& data, std::string& error);
