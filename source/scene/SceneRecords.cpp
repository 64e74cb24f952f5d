#include "source/scene/SceneRecords.h"

#include <cstdio>

#include "source/properties/Conversions.h"
#include "source/shaders/ShaderDescriptor.h"
#include "source/shaders/ShaderFile.h"
#include "source/stream/cMemoryStream.h"
#include "source/properties/NumberText.h"
#include "source/properties/cBoundProperty.h"
#include "source/stream/Encoding.h"
#include "source/stream/cStream.h"
#include "source/xml/XmlNode.h"

namespace {

// The fewest bytes a record and a state can take: every string empty.
constexpr uint32_t kMinRecordBytes = 8 * 4;
constexpr uint32_t kMinStateBytes = 4 + 4 + 4 + 1 + 4;
constexpr uint32_t kMinShaderEntryBytes = 4 + 13;
// An "EESRF" block starts with its size, then the five-letter magic and the version.
constexpr uint32_t kShaderHeaderBytes = 13;

std::string Attribute(const XmlNode& node, const char* name) { return GetAttributeValue(&node, name, ""); }

void ReadState(const XmlNode& element, SceneAnimationState& state) {
  state.name = Attribute(element, "name");
  const std::string frames_text = Attribute(element, "frames");
  std::string_view frames(frames_text);
  int first = 0, last = 0;
  if (ScanInt(frames, first)) ScanInt(frames, last);
  state.first_frame = static_cast<uint32_t>(first);
  state.last_frame = static_cast<uint32_t>(last);
  state.loop = ParseBool(Attribute(element, "loop"));
  state.speed = static_cast<float>(ParseDouble(Attribute(element, "speed")));
}

void ReadModel(const XmlNode& element, const std::string& folder, SceneRecords& records) {
  const std::string name = folder + Attribute(element, "name");
  SceneModelDesc* record = nullptr;
  for (SceneModelDesc& held : records.models) {
    if (held.name == name) record = &held;
  }
  if (record == nullptr) {
    records.models.emplace_back();
    record = &records.models.back();
  }
  record->name = record->model_name = record->shader_name = name;
  record->order = ParseDecimalInt(Attribute(element, "order"));
  record->speed = static_cast<float>(ParseDouble(Attribute(element, "speed")));
  record->kind = GetAttributeValue(&element, "kind", "i");
  record->states.clear();
  for (const XmlNode* child = element.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    if (child->GetName() != "state") continue;
    record->states.emplace_back();
    ReadState(*child, record->states.back());
  }
}

// A "shader" element of a scene: one plain stage, or an animated one with "sanim".
std::vector<uint8_t> ReadShader(const XmlNode& element) {
  const std::string diffuse = Attribute(element, "diffuse");
  const std::string opacity = Attribute(element, "opacity");
  const bool clamp = ParseBool(Attribute(element, "clamp"));
  const auto number = [&element](const char* name) { return ParseDecimalInt(Attribute(element, name)); };
  const ShaderDescriptor descriptor =
      element.FindAttribute("sanim") == nullptr
          ? ShaderDescriptor(diffuse, opacity, clamp)
          : ShaderDescriptor(diffuse, opacity, ParseBool(Attribute(element, "mipmap")),
                             static_cast<uint32_t>(number("sanim")), static_cast<uint32_t>(number("swidth")),
                             static_cast<uint32_t>(number("sheight")), static_cast<uint32_t>(number("sfcount")),
                             static_cast<float>(ParseDouble(Attribute(element, "sspeed"))), clamp);
  cMemoryStream block;
  WriteShaderFile(block, descriptor);
  return std::vector<uint8_t>(block.GetData(), block.GetData() + block.GetSize());
}

bool WriteBytes(cStream& stream, const std::vector<uint8_t>& bytes) {
  const uint32_t size = static_cast<uint32_t>(bytes.size());
  return size == 0 || stream.Write(bytes.data(), size) == size;
}

bool ReadBytes(cStream& stream, uint32_t size, std::vector<uint8_t>& bytes) {
  if (size > RemainingBytes(stream)) return false;
  std::vector<uint8_t> read(size);
  if (size > 0 && stream.Read(read.data(), size) != size) return false;
  bytes = std::move(read);
  return true;
}

bool ReadByte(cStream& stream, bool& value) {
  uint8_t byte = 0;
  if (stream.Read(&byte, 1) != 1) return false;
  value = byte != 0;
  return true;
}

bool ReadState(cStream& stream, SceneAnimationState& state) {
  return ReadString(stream, state.name) && ReadUInt32(stream, state.first_frame) &&
         ReadUInt32(stream, state.last_frame) && ReadByte(stream, state.loop) && ReadFloat(stream, state.speed);
}

bool ReadRecord(cStream& stream, SceneModelDesc& record, std::string& error) {
  uint32_t count = 0;
  if (!ReadString(stream, record.name) || !ReadUInt32(stream, count)) return false;
  if (count > RemainingBytes(stream) / kMinStateBytes) {
    error = "more animation states than the data holds";
    return false;
  }
  record.states.resize(count);
  for (SceneAnimationState& state : record.states) {
    if (!ReadState(stream, state)) return false;
  }
  uint32_t order = 0, inline_size = 0;
  if (!ReadUInt32(stream, order) || !ReadFloat(stream, record.speed) || !ReadString(stream, record.model_name) ||
      !ReadString(stream, record.shader_name) || !ReadString(stream, record.kind) ||
      !ReadUInt32(stream, inline_size)) {
    return false;
  }
  record.order = static_cast<int32_t>(order);
  return ReadBytes(stream, inline_size, record.inline_shader);
}

// A shader block is as long as its first word says, and at least its header.
bool ReadShaderBlock(cStream& stream, std::vector<uint8_t>& block, std::string& error) {
  const uint32_t start = stream.Tell();
  uint32_t size = 0;
  if (!ReadUInt32(stream, size)) return false;
  stream.Seek(static_cast<int32_t>(start), 0);
  if (size < kShaderHeaderBytes || size > RemainingBytes(stream)) {
    error = "a shader block's size does not fit the data";
    return false;
  }
  return ReadBytes(stream, size, block);
}

}  // namespace

std::string ResourceFolder(const std::string& resource_name) {
  const std::size_t slash = resource_name.rfind('\\');
  return slash == std::string::npos ? std::string() : resource_name.substr(0, slash + 1);
}

void ReadSceneXml(const XmlNode& node, const std::string& folder, SceneRecords& records) {
  for (const XmlNode* section = node.GetFirstChild(); section != nullptr; section = section->GetNext()) {
    for (const XmlNode* element = section->GetFirstChild(); element != nullptr; element = element->GetNext()) {
      if (section->GetName() == "models" && element->GetName() == "model") ReadModel(*element, folder, records);
      if (section->GetName() == "shaders" && element->GetName() == "shader") {
        records.shaders[folder + Attribute(*element, "name")] = ReadShader(*element);
      }
    }
  }
  // Each model takes the shader of its own name, when the scene describes one.
  for (SceneModelDesc& record : records.models) {
    auto shader = records.shaders.find(record.shader_name);
    if (shader != records.shaders.end()) record.inline_shader = shader->second;
  }
}

bool WriteSceneRecords(const SceneRecords& records, cStream& stream) {
  bool ok = WriteUInt32(stream, static_cast<uint32_t>(records.models.size()));
  for (const SceneModelDesc& record : records.models) {
    ok = ok && WriteString(stream, record.name) && WriteUInt32(stream, static_cast<uint32_t>(record.states.size()));
    for (const SceneAnimationState& state : record.states) {
      const uint8_t loop = state.loop ? 1 : 0;
      ok = ok && WriteString(stream, state.name) && WriteUInt32(stream, state.first_frame) &&
           WriteUInt32(stream, state.last_frame) && stream.Write(&loop, 1) == 1 && WriteFloat(stream, state.speed);
    }
    ok = ok && WriteUInt32(stream, static_cast<uint32_t>(record.order)) && WriteFloat(stream, record.speed) &&
         WriteString(stream, record.model_name) && WriteString(stream, record.shader_name) &&
         WriteString(stream, record.kind) && WriteUInt32(stream, static_cast<uint32_t>(record.inline_shader.size())) &&
         WriteBytes(stream, record.inline_shader);
  }
  ok = ok && WriteUInt32(stream, static_cast<uint32_t>(records.shaders.size()));
  for (const auto& [name, block] : records.shaders) ok = ok && WriteString(stream, name) && WriteBytes(stream, block);
  return ok;
}

bool ReadSceneRecords(cStream& stream, SceneRecords& records, std::string& error) {
  SceneRecords read;
  uint32_t count = 0;
  error = "the data ends early";
  if (!ReadUInt32(stream, count)) return false;
  if (count > RemainingBytes(stream) / kMinRecordBytes) {
    error = "more models than the data holds";
    return false;
  }
  read.models.resize(count);
  for (SceneModelDesc& record : read.models) {
    if (!ReadRecord(stream, record, error)) return false;
  }
  if (!ReadUInt32(stream, count)) return false;
  if (count > RemainingBytes(stream) / kMinShaderEntryBytes) {
    error = "more shaders than the data holds";
    return false;
  }
  for (uint32_t i = 0; i < count; ++i) {
    std::string name;
    std::vector<uint8_t> block;
    if (!ReadString(stream, name) || !ReadShaderBlock(stream, block, error)) return false;
    read.shaders[name] = std::move(block);
  }
  records = std::move(read);
  error.clear();
  return true;
}
