#pragma once
// A look at a sound's headers when it is loaded: what keeps it from playing whole (not a sound
// at all, a damaged layout, data cut short), so the log names the file and the fault. A sound
// that is refused here is dropped by the channels; one cut short plays what is there.

#include <string>

#include "source/stream/cStream.h"

// What is wrong with the sound in `stream` (read from its start, its position kept), or empty.
std::string DescribeSoundDamage(cStream& stream);
