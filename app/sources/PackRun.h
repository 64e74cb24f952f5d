#pragma once
// The developer's "-pack" run: the resource groups "data" and "localization" are written to the
// pack files "my_data" and "my_localization" in the current folder.

// One of the arguments is exactly "-pack".
bool HasPackSwitch(int argc, char** argv);

// A group counts as present when a pack file or a folder of its name is in the current folder.
bool IsResourceGroupPresent(const char* group);

// Writes both packs (each replaces an older one whole, or leaves it). A group that is missing,
// was refused as a pack or had a folder that could not be read writes nothing. False when a pack
// was not written; each failure is logged.
bool WritePackFiles();
