#include "source/properties/AttributeText.h"

#include <string_view>

#include "source/properties/NumberText.h"
#include "source/properties/cBoundProperty.h"

namespace {

// sscanf("%f %f ...") into `count` floats: stops at the first component the text does not give,
// leaving that one and the rest as they were.
void ScanFloats(const std::string& text, float* values, int count) {
  std::string_view rest(text);
  for (int i = 0; i < count; ++i) {
    if (!ScanFloat(rest, values[i])) return;
  }
}

std::string FormatFloats(const float* values, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += ' ';
    text += FormatFloat(values[i]);
  }
  return text;
}

// The elements of a matrix that its text form carries; the last column is implied.
constexpr int kMatrixTextElements[12] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};

}  // namespace

void ParseAttributeText(const std::string& text, int& value) {
  std::string_view rest(text);
  ScanInt(rest, value);
}
std::string FormatAttributeText(int value) { return FormatInt(value); }

void ParseAttributeText(const std::string& text, bool& value) { value = ParseBool(text); }
std::string FormatAttributeText(bool value) { return value ? "true" : "false"; }

void ParseAttributeText(const std::string& text, std::string& value) { value = text; }
std::string FormatAttributeText(const std::string& value) { return value; }

void ParseAttributeText(const std::string& text, float& value) { ScanFloats(text, &value, 1); }
std::string FormatAttributeText(float value) { return FormatFloat(value); }

void ParseAttributeText(const std::string& text, Vector2& value) {
  float v[2] = {value.x, value.y};
  ScanFloats(text, v, 2);
  value = Vector2(v[0], v[1]);
}
std::string FormatAttributeText(const Vector2& value) {
  const float v[2] = {value.x, value.y};
  return FormatFloats(v, 2);
}

void ParseAttributeText(const std::string& text, Vector3& value) {
  float v[3] = {value.x, value.y, value.z};
  ScanFloats(text, v, 3);
  value = Vector3(v[0], v[1], v[2]);
}
std::string FormatAttributeText(const Vector3& value) {
  const float v[3] = {value.x, value.y, value.z};
  return FormatFloats(v, 3);
}

void ParseAttributeText(const std::string& text, Vector4& value) {
  float v[4] = {value.x, value.y, value.z, value.w};
  ScanFloats(text, v, 4);
  value = Vector4(v[0], v[1], v[2], v[3]);
}
std::string FormatAttributeText(const Vector4& value) {
  const float v[4] = {value.x, value.y, value.z, value.w};
  return FormatFloats(v, 4);
}

void ParseAttributeText(const std::string& text, Matrix4& value) {
  float v[12];
  for (int i = 0; i < 12; ++i) v[i] = value.m[kMatrixTextElements[i]];
  ScanFloats(text, v, 12);
  for (int i = 0; i < 12; ++i) value.m[kMatrixTextElements[i]] = v[i];
  value.m[3] = 0.0f;
  value.m[7] = 0.0f;
  value.m[11] = 0.0f;
  value.m[15] = 1.0f;
}
std::string FormatAttributeText(const Matrix4& value) {
  float v[12];
  for (int i = 0; i < 12; ++i) v[i] = value.m[kMatrixTextElements[i]];
  return FormatFloats(v, 12);
}
