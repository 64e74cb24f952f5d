#include "gui/include/cFormResource.h"

void cFormResource::RegisterType() { cResourceManager::GetInstance()->RegisterResourceType<cFormResource>(); }

void cFormResource::ReadMoreXml(const XmlNode& node) { ReadFormXml(node, ResourceFolder(GetName()), m_root); }

bool cFormResource::ReadMore(cStream& stream, std::string& error) {
  FormElement root;
  if (!ReadFormElement(stream, root, error)) return false;
  m_root = std::move(root);
  return true;
}
