#pragma once
// The configuration file: the persistent settings of the properties store kept between runs in
// "<user folder>\<short_name>.xml". Loading leaves the texts in the store, where the managers
// pick them up when they bind their variables.

#include <string>

class cProperties;
class cStream;

// Makes the user folder (application data, "company name", "short_name"), sets
// "engine_directory" and "log_directory" to it, and loads the file's values into the store.
// No file, or one that does not parse, leaves the store's defaults; nothing is logged.
void LoadConfig(cProperties& store);

// Applies a configuration document read from `stream` to the store; false (and nothing set) when
// it does not parse or its root is not "config".
bool ReadConfig(cStream& stream, cProperties& store);

// Writes every persistent key with its current text, in the order the keys were marked. The file
// is replaced as a whole (written aside and renamed over it). With no persistent key nothing is
// written. Answers whether the file was written.
bool SaveConfig(cProperties& store);

// "<engine_directory>\<short_name>.xml".
std::string ConfigFilePath(const cProperties& store);
