#pragma once
// The program's one cache of textures combined from a diffuse and an opacity texture, keyed by
// "mm_" (mip-mapped) or "0_" and the two names, so that every shader naming the same pair shares
// one texture. It lives as a singleton and lets its textures go when the singletons are destroyed.

#include <map>
#include <string>

#include "source/core/Singleton.h"
#include "source/texture/TextureHandle.h"

class CombinedTextureCache : public Singleton<CombinedTextureCache> {
 public:
  // The texture of the pair, made on first use; null when both names are empty.
  const TextureHandle* Get(const std::string& diffuse, const std::string& opacity, bool mipmap);
  std::size_t GetCount() const { return m_textures.size(); }
  // Lets go every texture that the cache alone still holds (its picture and its device surface);
  // one that anything else holds stays. Answers how many went.
  std::size_t ReleaseUnused();

 private:
  std::map<std::string, TextureHandle> m_textures;
};

inline const TextureHandle* GetCombinedTexture(const std::string& diffuse, const std::string& opacity, bool mipmap) {
  return CombinedTextureCache::GetInstance()->Get(diffuse, opacity, mipmap);
}
