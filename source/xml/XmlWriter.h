#pragma once
// The XML writer: prints a node tree back to a stream in the layout the reader accepts
// (children one a line, indented by tabs). Nothing is escaped.

#include <string>

class cStream;
class XmlNode;

// Writes `node` and everything below it, each line of it starting with `indent`. False when the
// stream did not take every byte (a full disk, for one).
bool WriteXmlNode(cStream& stream, const XmlNode& node, const std::string& indent);
