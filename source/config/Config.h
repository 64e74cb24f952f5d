#pragma once
// The configuration file: the persistent settings of the properties store kept between runs in
// "<user folder>\<short_name>.xml". Loading leaves the texts in the store, where the managers
// pick them up when they bind their variables.
//
// A file the player cannot lose: one that exists but cannot be opened is left as it is and
// nothing is written over it in that run; one that does not parse is moved aside to
// "<short_name>.xml.bad" (or, when such a file is there already, left as it is like an unreadable
// one). The log says which.

#include <string>

class cProperties;
class cStream;

// Makes the user folder (application data, "company name", "short_name") and sets
// "engine_directory" and "log_directory" to it. LoadConfig does this too; the entry calls it
// first to take the single-instance lock there.
void SetUpUserFolder(cProperties& store);

// SetUpUserFolder, then removes the configuration's temporaries left by a kill mid-save and
// loads the file's values into the store. No file leaves the store's defaults silently.
void LoadConfig(cProperties& store);

// Applies a configuration document read from `stream` to the store; false (and nothing set) when
// it does not parse or its root is not "config".
bool ReadConfig(cStream& stream, cProperties& store);

// Writes every persistent key with its current text, in the order the keys were marked. The file
// is replaced as a whole (written aside and renamed over it). With no persistent key, or while an
// unreadable file is kept, nothing is written. A failed write is logged. Answers whether the file
// was written.
bool SaveConfig(cProperties& store);

// "<engine_directory>\<short_name>.xml".
std::string ConfigFilePath(const cProperties& store);
