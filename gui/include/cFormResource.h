#pragma once
// The "form" resource: a scene (the models and shaders a window draws) and the element tree of
// the window's widgets, from which state windows build their children. Model names in widget
// attributes are kept with the form's folder in front, as the scene part names its models.

#include "gui/include/FormRecords.h"
#include "source/scene/cSceneResource.h"

class cFormResource : public cTypedResource<cFormResource, cSceneResource> {
 public:
  static constexpr const char* kTypeName = "form";
  using cTypedResource::cTypedResource;

  static void RegisterType();

  const FormElement& GetRoot() const { return m_root; }

 protected:
  void ReadMoreXml(const XmlNode& node) override;
  bool WriteMore(cStream& stream) override { return WriteFormElement(m_root, stream); }
  bool ReadMore(cStream& stream, std::string& error) override;
  void ClearMore() override { m_root = FormElement(); }

 private:
  FormElement m_root;
};
