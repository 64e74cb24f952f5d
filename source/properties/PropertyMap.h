#pragma once
// Operations on a PropertyMap: set and read a value as text, and bind a value object to a name so
// that a text set before the binder arrived reaches the binder's variable.

#include <string>
#include <vector>

#include "source/properties/cProperty.h"

// Sets the named value from text: an unbound name gets a plain text value; a bound one parses the
// text into its variable.
void SetPropertyValue(PropertyMap& map, const std::string& name, const std::string& text);

// The named value as text; "" for a name that holds nothing.
std::string GetPropertyValue(const PropertyMap& map, const std::string& name);

// Puts `value` under `name`. When the name already held a value, its text is applied to `value`
// (a loaded setting overrides the binder's initial value, and binding twice moves the value on);
// a null `value` then leaves a plain text value holding that text. When the name held nothing,
// `value` keeps what its variable holds.
void SetPropertyBinding(PropertyMap& map, const std::string& name, const PropertyPtr& value);

// Appends `name` to an ordered list of names unless it is there already; answers whether it was
// added. Used for the list of persistent settings and other lists of unique names.
bool AppendUniqueName(std::vector<std::string>& list, const std::string& name);
