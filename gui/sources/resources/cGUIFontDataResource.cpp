#include "gui/include/cGUIFontDataResource.h"

#include "source/log/cLog.h"
#include "source/stream/cMemoryStream.h"

namespace {
constexpr const char* kSource = "sources\\resources\\cGUIFontDataResource";
}

bool cGUIFontDataResource::Load() {
  m_glyphs.clear();
  cMemoryStream data;
  LoadData(data);
  switch (ReadFontFile(data.GetData(), data.GetSize(), m_glyphs)) {
    case FontFileStatus::kRead:
      return true;
    case FontFileStatus::kBadVersion:
      LogReport(kLogError, kSource, __LINE__, "Incorrect \"%s\" version, current is %u", GetName().c_str(),
                kFontFileVersion);
      return false;
    case FontFileStatus::kBadFormat:
      break;
  }
  LogReport(kLogError, kSource, __LINE__, "Incorrect \"%s\" file format", GetName().c_str());
  return false;
}

bool cGUIFontDataResource::Unload() {
  m_glyphs.clear();
  return true;
}
