#include "source/Resources/cXmlResource.h"

#include "source/stream/cMemoryStream.h"

bool cXmlResource::Load() {
  cMemoryStream bytes;
  if (!LoadData(bytes)) return false;
  return m_document.Parse(bytes);
}
