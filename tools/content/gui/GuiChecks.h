#pragma once
// The content tool's checks of a form or scene source: what the engine would read from it, and
// whether that makes sense as a GUI.

#include <string>

class XmlNode;

std::string GetAttributeText(const XmlNode& node, const char* name);

// Reads the resource element as the engine does (`form`: a form, else a scene) and checks that
// its binary form reads back to the same records, that every element's type is one the widget
// factory makes and that every model an element names is a model of the form. False with `why`.
bool CheckGuiResource(const XmlNode& element, const std::string& name, bool form, std::string& why);
