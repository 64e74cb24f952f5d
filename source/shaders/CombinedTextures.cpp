#include "source/shaders/CombinedTextures.h"

const TextureHandle* CombinedTextureCache::Get(const std::string& diffuse, const std::string& opacity, bool mipmap) {
  // The names cannot hold the separator of the key's parts unambiguously, so a pair is kept whole.
  const std::string key = (mipmap ? "mm_" : "0_") + diffuse + '\0' + opacity;
  auto found = m_textures.find(key);
  if (found != m_textures.end()) return &found->second;
  if (diffuse.empty() && opacity.empty()) return nullptr;
  // The texture's own name, read in log lines: the two file names apart.
  const std::string name = (mipmap ? "mm_" : "0_") + diffuse + (opacity.empty() ? "" : " + " + opacity);
  return &m_textures.emplace(key, TextureHandle(name, diffuse, opacity, mipmap)).first->second;
}

std::size_t CombinedTextureCache::ReleaseUnused() {
  // Shaders hold counted copies of the handles, so a count of one is the cache's own.
  return std::erase_if(m_textures, [](const auto& entry) { return entry.second.GetTexturePtr().UseCount() <= 1; });
}
