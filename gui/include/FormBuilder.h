#pragma once
// Builds a window's children from a form: level by level, every widget of a level is made (each
// with its whole subtree built and set up) before any attribute of that level is applied, the last
// element's first. Within an element "min" and "max" come before the other attributes (so that
// "cur" is taken within them), and the rest go in byte order of their names.

class cFormResource;
class GUIWindow;
struct FormElement;

void BuildWindowFromForm(const cFormResource& form, GUIWindow& window);
// The level build over `elements`' children under `parent`.
void BuildFormLevel(GUIWindow& parent, const FormElement& elements);
