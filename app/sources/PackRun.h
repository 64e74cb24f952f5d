#pragma once
// The developer's "-pack" run: the resource groups "data" and "localization" are written to the
// pack files "my_data" and "my_localization" in the current folder.

// "-pack" anywhere in the command line, also inside a longer argument.
bool HasPackSwitch(int argc, char** argv);

// A group counts as present when a pack file or a folder of its name is in the current folder.
bool IsResourceGroupPresent(const char* group);

// Writes both packs (each replaces an older one whole, or leaves it). False when a group is
// missing or a pack could not be written; each failure is logged.
bool WritePackFiles();
