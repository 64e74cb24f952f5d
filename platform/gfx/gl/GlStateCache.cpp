// What a draw or a deleted texture does to the values the OpenGL backend remembers.

#include "platform/gfx/gl/GlStateCache.h"

namespace gfx::gl {

void GlStateCache::TextureDeleted(uint32_t name) {
  for (UnitCache& unit : units) {
    if (unit.texture.Known() && unit.texture.Value() == name) unit.texture.Set(0);
  }
}

void GlStateCache::DrawDone() {
  // An unknown switch may have been on.
  auto maybe_on = [](const Sent<bool>& sent) { return !sent.Known() || sent.Value(); };
  if (maybe_on(color_array)) current_color.Forget();
  if (maybe_on(normal_array)) current_normal.Forget();
  for (UnitCache& unit : units) {
    if (maybe_on(unit.coord_array)) unit.current_coord.Forget();
  }
  if (maybe_on(Of(Cap::kColorMaterial))) {
    material_diffuse.Forget();
    material_ambient.Forget();
    material_emission.Forget();
  }
}

}  // namespace gfx::gl
