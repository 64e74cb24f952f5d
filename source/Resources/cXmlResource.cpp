#include "source/Resources/cXmlResource.h"

#include "source/stream/cMemoryStream.h"

bool cXmlResource::Load() {
  if (m_parsed) return true;
  cMemoryStream bytes;
  if (!LoadData(bytes)) return false;
  m_parsed = m_document.Parse(bytes);
  return m_parsed;
}
