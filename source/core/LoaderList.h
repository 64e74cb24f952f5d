#pragma once
// The file-format loaders a manager owns (images, models): kept in registration order and mapped
// by file extension. Reading tries them in turn and puts the stream back where it was after each
// one that refuses, so every loader starts where the data starts.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "source/stream/cStream.h"

template <class Loader>
class LoaderList {
 public:
  // Takes the loader and maps the extension to it; a loader held already changes nothing.
  void Register(const std::string& extension, std::unique_ptr<Loader> loader) {
    if (!loader) return;
    for (const auto& held : m_loaders) {
      if (held.get() == loader.get()) {
        (void)loader.release();  // the list owns it already
        return;
      }
    }
    m_extensions[extension] = loader.get();
    m_loaders.push_back(std::move(loader));
  }

  Loader* Find(const std::string& extension) const {
    auto found = m_extensions.find(extension);
    return found == m_extensions.end() ? nullptr : found->second;
  }

  // Calls `read(loader)` for each loader (the last registered first when `newest_first`) until one
  // answers true; the stream is put back after every false.
  template <class Read>
  bool ReadWithAny(cStream& stream, bool newest_first, Read read) const {
    const std::size_t count = m_loaders.size();
    for (std::size_t i = 0; i < count; ++i) {
      Loader& loader = *m_loaders[newest_first ? count - 1 - i : i];
      const uint32_t position = stream.Seek(0, 1);
      if (read(loader)) return true;
      stream.Seek(static_cast<int32_t>(position), 0);
    }
    return false;
  }

  std::size_t Size() const { return m_loaders.size(); }

 private:
  std::vector<std::unique_ptr<Loader>> m_loaders;
  std::map<std::string, Loader*> m_extensions;
};
