#include "source/Resources/cXmlResource.h"

#include "source/log/cLog.h"
#include "source/stream/cMemoryStream.h"

bool cXmlResource::Load() {
  if (m_parsed) return true;
  cMemoryStream bytes;
  if (!LoadData(bytes)) return false;
  m_parsed = m_document.Parse(bytes);
  if (!m_parsed) {
    LogReport(kLogError, "sources\\cXmlResource", __LINE__, "xml %s (%s) cannot be read: %s", GetName().c_str(),
              GetSource().GetPath().c_str(), m_document.GetError().c_str());
  }
  return m_parsed;
}
