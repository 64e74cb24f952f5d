#pragma once
// The picture of a texture made from two image files: a copy of the colour file's image, with the
// alpha file's image merged in as alpha when both are 24-bit-compatible powers of two of one size.
// Wrong sizes or depths are logged and the colour picture is used alone.

#include <string>

class Image;

// False (logged) when the colour file's resource is missing or holds no picture: the texture then
// has no surface.
bool CombineImages(const std::string& texture_name, const std::string& color_file, const std::string& alpha_file,
                   Image& combined);
