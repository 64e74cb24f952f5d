#pragma once
// What a picture loader got past while reading a file (pixel data cut short, a damaged JPEG
// scan): the picture is still drawn as far as it goes, and the caller that knows the file's name
// logs the note. One note a thread: the last one made, taken once.

#include <string>

void NoteImageDamage(const std::string& what);
// The note made since the last take, or empty.
std::string TakeImageDamage();
