#pragma once
// Writes a model record as an "EEMLF" file: exactly the bytes the reader takes back to the same
// record. The content tool makes the game's models with it.

#include <string>

#include "source/model/ModelFile.h"

class cStream;

// Whether the record can be written: its lists agree with its flags, counts and frames, no vertex
// has more than four influences, and every index, node number and length fits the file. `why`
// names the first disagreement.
bool IsWritableModel(const ModelFileData& data, std::string* why = nullptr);
// False (nothing written) for a record that is not writable, or when the stream takes less than
// the whole file.
bool WriteModelFile(const ModelFileData& data, cStream& stream);
