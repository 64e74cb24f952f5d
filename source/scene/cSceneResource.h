#pragma once
// The "scene" resource: named models for the GUI. Loading it makes one render object a record,
// drawn with the GUI camera, hidden until a window shows it, and entered by name in the GUI
// system's model map where windows find their models. Read from a pack's binary form, or declared
// in a resource list as XML; a declared scene keeps its binary form, so that released and taken
// again it loads whole.

#include <vector>

#include "source/Resources/cResourcePtr.h"
#include "source/Resources/cTypedResource.h"
#include "source/model/ModelResource.h"
#include "source/scene/SceneRecords.h"
#include "source/stream/cMemoryStream.h"

class RenderObject;

class cSceneResource : public cTypedResource<cSceneResource> {
 public:
  static constexpr const char* kTypeName = "scene";
  using cTypedResource::cTypedResource;
  ~cSceneResource() override;

  static void RegisterType();

  // Reads "models" and "shaders" of the resource's element, and keeps the binary form.
  void LoadFromXml(const XmlNode& node) override;
  // Reads the binary form and makes the render objects; damaged data leaves none (logged).
  bool Load() override;
  // Deletes the render objects (leaving the GUI model map first).
  bool Unload() override;

  // Every object leaves the draw list until a window shows it.
  void HideObjects();

  const SceneRecords& GetRecords() const { return m_records; }
  const std::vector<RenderObject*>& GetObjects() const { return m_objects; }
  bool IsVisible() const { return m_visible; }

 protected:
  bool WriteDeclaredData(cStream& stream) override;
  // The resource's bytes: the pack's or file's, else the kept binary form.
  bool ReadBinary(cMemoryStream& data);
  // What a derived type adds after the scene's own form; false when damaged.
  virtual bool ReadMore(cStream& stream, std::string& error) { return true; }
  virtual void ReadMoreXml(const XmlNode& node) {}
  virtual bool WriteMore(cStream& stream) { return true; }
  virtual void ClearMore() {}

 private:
  void CreateObjects();

  SceneRecords m_records;
  std::vector<RenderObject*> m_objects;  // owned
  std::vector<cResourcePtr<ModelResource>> m_models;
  bool m_visible = false;
  cMemoryStream m_binary;  // the binary form of a declared scene
};
