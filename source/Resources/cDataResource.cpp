#include "source/Resources/cDataResource.h"

bool cDataResource::Load() {
  const bool loaded = LoadData(m_data);
  m_data.Seek(0, 0);
  return loaded;
}

bool cDataResource::Unload() {
  m_data.Resize(0);
  return true;
}
