#pragma once
// Helper boxes of the GUI sources: the invisible rectangles that lend a static text its line box.
// A resource of content/gui may hold one <helpers> section of <box name=".." x y width height/>
// entries (GUI units, y up, relative to the form's window). Each box becomes a flat model file in
// "data" under the form's folder and a <model> record of the form, so a static that names it as
// "helper" finds it in the GUI's model map; the <helpers> section itself leaves the resource.

#include <set>
#include <string>

class XmlNode;
struct ContentPaths;

// Writes the resource's boxes and turns them into model records. `taken` holds the full model
// names already made from this list (forms of one folder share one namespace of models). False
// with `why` on a box without a name, a size that is not above 0 or a name used twice.
bool MakeHelperBoxes(const ContentPaths& paths, XmlNode& resource, std::set<std::string>& taken, std::string& why);
