#include "tools/content/EffectRecipe.h"

#include "source/stream/cMemoryStream.h"
#include "source/texture/TgaImageLoader.h"
#include "tools/content/RecipeXml.h"

void WriteRecipeTga(const std::string& path, const Image& image) {
  cMemoryStream bytes;
  if (!TgaImageLoader().Save(image, bytes)) throw RecipeError{"could not encode " + path};
  WriteRecipeOutput(path, bytes.GetData(), bytes.GetSize());
}

float SoftDisc(float d, float radius, float soft) {
  if (d >= radius) return 0.0f;
  if (soft <= 0.0f || d <= radius - soft) return 1.0f;
  const float t = (radius - d) / soft;
  return t * t * (3.0f - 2.0f * t);
}
