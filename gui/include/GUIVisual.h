#pragma once
// What a GUI window looks like: its render object (a model borrowed from the GUI model map, or a
// unit quad the visual makes and owns), the shader name of that quad, the RGBA colour, extra
// render objects drawn beside the model, and the window's place in its layer's draw order. Its
// attributes ("model", "shader", "color", "apply_placement_matrix", "uv") live in the owning
// window's property map.

#include <string>
#include <vector>

#include "source/math/Matrix4.h"
#include "source/math/Vector.h"
#include "source/properties/cProperty.h"

class GUILayer;
class RenderObject;
class ShaderHolder;

class GUIVisual {
 public:
  // Registers the attributes in `properties`; `layer` is the owning window's.
  GUIVisual(PropertyMap& properties, GUILayer* layer);
  // Deletes an owned quad; borrowed objects belong to their makers.
  virtual ~GUIVisual();
  GUIVisual(const GUIVisual&) = delete;
  GUIVisual& operator=(const GUIVisual&) = delete;

  RenderObject* GetModel() const { return m_model; }
  ShaderHolder* GetShaderHolder() const;
  const Vector4& GetColor() const { return m_color; }
  // The colour goes to the model and to every extra object.
  void SetColor(const Vector4& color);
  // Looks the name up in the GUI model map (an unknown name leaves no model).
  void SetModelByName(const std::string& name);
  const std::string& GetModelName() const { return m_model_name; }
  // Attaches an object the visual does not own (null detaches). A model let go of leaves the
  // layer and is hidden; an owned quad is deleted.
  void SetModel(RenderObject* object);
  // Replaces the model by an owned unit quad drawn with the named shader; an empty name leaves
  // the window without a model.
  void CreateQuad(const std::string& shader);
  const std::string& GetShaderName() const { return m_shader; }
  bool OwnsModel() const { return m_owns_model; }
  // The quad's texture extent (above 1 repeats the texture); nothing without a model.
  void SetUV(const Vector2& uv);
  // Gives the model, then each extra object, falling depths; answers the next free depth.
  float SetDepth(float depth);
  float GetDepth() const { return m_depth; }
  // Copies the window's placement into the model (unless apply_placement_matrix is off).
  void SetMatrix(const Matrix4& matrix);
  void SetVisible(bool visible);
  bool IsVisible() const { return m_visible; }
  bool GetApplyPlacementMatrix() const { return m_apply_placement_matrix; }
  void SetApplyPlacementMatrix(bool on) { m_apply_placement_matrix = on; }

  // The extra objects, drawn with the window in its layer (not owned).
  std::vector<RenderObject*>& GetObjects() { return m_objects; }
  // Inserts before `position` (the end: appended), marks it for GUI drawing and adds it to the
  // layer once.
  void InsertIntoDrawList(std::vector<RenderObject*>::iterator position, RenderObject* object);
  void RemoveFromDrawLists(RenderObject* object);
  // Lets go of every reference to an object about to be deleted by its maker.
  void Forget(RenderObject* object);

 private:
  void DropModel();
  void Attach(RenderObject* object);

  std::vector<RenderObject*> m_objects;
  RenderObject* m_model = nullptr;
  std::string m_shader;
  Vector4 m_color{1.0f, 1.0f, 1.0f, 1.0f};
  bool m_apply_placement_matrix = true;
  float m_depth = 0.0f;
  std::string m_model_name;
  GUILayer* m_layer;
  bool m_owns_model = false;
  bool m_visible = false;
};
