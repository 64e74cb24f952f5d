#pragma once
// Owns the image loaders (TGA under "tga", JPEG under "jpg") and makes textures: empty ones, or
// ones combined from a colour and an alpha image file.

#include <memory>
#include <string>

#include "source/core/LoaderList.h"
#include "source/core/Singleton.h"
#include "source/texture/ImageLoader.h"

class Image;
class Texture2D_D3D7;
class cStream;

class TextureManager : public Singleton<TextureManager> {
 public:
  TextureManager();
  ~TextureManager() override;

  // Takes the loader and maps the extension to it; a loader registered already changes nothing.
  void RegisterLoader(const std::string& extension, std::unique_ptr<ImageLoader> loader);
  ImageLoader* GetLoader(const std::string& extension) const;

  // Tries the loaders from the last registered to the first (JPEG before TGA), putting the stream
  // back where it was after each refusal. False, with the image empty, when none accepts.
  bool LoadImage(Image& image, cStream& stream);

  // A new texture (the caller owns it). With both file names empty it has no image yet; else its
  // image is the colour file's picture with the alpha file's picture as alpha (see TextureCombine).
  Texture2D_D3D7* MakeTexture(const std::string& name, const std::string& color_file, const std::string& alpha_file,
                              bool mip_maps);

 private:
  LoaderList<ImageLoader> m_loaders;
};
