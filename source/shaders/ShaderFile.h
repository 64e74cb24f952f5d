#pragma once
// Shader files ("EESRF"): the file size, the magic, the version 211, the descriptor's header and
// its stages, each stage storing only what its animation type uses. Packs carry every shader of a
// resource list in this form.

#include <string>

#include "source/shaders/ShaderDescriptor.h"

class cStream;

inline constexpr uint32_t kShaderFileVersion = 211;
inline constexpr char kShaderFileMagic[] = "EESRF";

// Reads a shader file from the stream's position to its end. A file of another size, magic or
// version, or one whose stages or names run past its end, is refused (logged with `name`) and
// leaves `descriptor` a default one (no stages, no blending): false. A third and later stage is
// logged and dropped. Texture names are reduced as ShaderTextureName does.
bool ReadShaderFile(cStream& stream, const std::string& name, ShaderDescriptor& descriptor);
// Writes the descriptor as a shader file at the stream's position and leaves the stream at the
// file's end. False when the stream took less than all of it.
bool WriteShaderFile(cStream& stream, const ShaderDescriptor& descriptor);

// A texture name as shaders keep it: lower case, folders joined by '\', a texture file's extension
// (".tga", ".jpg") taken off, the folders kept (textures in subfolders are found by their full
// names). Reducing a reduced name changes nothing.
std::string ShaderTextureName(const std::string& name);
