#pragma once
// Reading a source XML document of content/ for a content step, and writing a built file whole.

#include <string>

class XmlDocument;
class cMemoryStream;

// False (with a line on stderr naming the step) when the file cannot be read or does not parse,
// or its root element is not `root`.
bool ReadSourceXml(const std::string& step, const std::string& path, const std::string& root, XmlDocument& document);

// Writes the stream's bytes to `path`; false (with a line on stderr) when that fails.
bool WriteBuiltFile(const std::string& step, const std::string& path, cMemoryStream& bytes);
