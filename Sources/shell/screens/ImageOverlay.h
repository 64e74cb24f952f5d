#pragma once
// A full-screen quad drawn over everything: with a texture it shows that picture blended by its
// colour's alpha; without one it is a plain quad of its colour.

#include <string>

#include "source/Resources/cResourcePtr.h"
#include "source/render/OverlayQuad.h"
#include "source/texture/TextureResource.h"

class ImageOverlay : public OverlayQuad {
 public:
  // Over the whole screen, the picture upright (pictures are kept bottom row first).
  ImageOverlay();

  // Takes the texture resource of that name (the one held before is let go); false, and no
  // texture, when there is none.
  bool SetTexture(const std::string& name);
  void ClearTexture() { m_texture.Reset(); }
  bool HasTexture() const { return static_cast<bool>(m_texture); }
  // A plain quad of an opaque colour over the whole screen (a picture may have see-through parts).
  bool HidesWhatIsBeneath() const override;
  // Blended by its colour's alpha, a quad of alpha 0 shows nothing and is not drawn (nor is its
  // picture built for the device).
  void Draw() override;

 protected:
  void BindTexture() override;

 private:
  cResourcePtr<TextureResource> m_texture;
};
