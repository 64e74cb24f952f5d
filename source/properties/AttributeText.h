#pragma once
// The text forms of attribute values, as forms and the settings store read and write them.
// Numbers are "C"-locale; parsing follows sscanf: components the text does not give stay at the
// value's initial (zero) state.

#include <string>

#include "source/math/Matrix4.h"
#include "source/math/Vector.h"

// "%i" (a leading 0x reads hexadecimal, a leading 0 octal).
void ParseAttributeText(const std::string& text, int& value);
std::string FormatAttributeText(int value);

// As a bound bool: "true"/"false", read by ParseBool.
void ParseAttributeText(const std::string& text, bool& value);
std::string FormatAttributeText(bool value);

// The text itself.
void ParseAttributeText(const std::string& text, std::string& value);
std::string FormatAttributeText(const std::string& value);

// UTF-8 text converted to UTF-16 and back.
void ParseAttributeText(const std::string& text, std::u16string& value);
std::string FormatAttributeText(const std::u16string& value);

// One UTF-16 unit: the first character of the text (0 for an empty text); written as that
// character alone (an empty text for 0).
void ParseAttributeText(const std::string& text, char16_t& value);
std::string FormatAttributeText(char16_t value);

// "%f".
void ParseAttributeText(const std::string& text, float& value);
std::string FormatAttributeText(float value);

// "%f %f", "%f %f %f", "%f %f %f %f".
void ParseAttributeText(const std::string& text, Vector2& value);
std::string FormatAttributeText(const Vector2& value);
void ParseAttributeText(const std::string& text, Vector3& value);
std::string FormatAttributeText(const Vector3& value);
void ParseAttributeText(const std::string& text, Vector4& value);
std::string FormatAttributeText(const Vector4& value);

// Twelve "%f" numbers: elements 0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14 of the row-major matrix.
// Parsing sets elements 3, 7 and 11 to 0 and element 15 to 1.
void ParseAttributeText(const std::string& text, Matrix4& value);
std::string FormatAttributeText(const Matrix4& value);
