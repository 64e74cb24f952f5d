#pragma once
// The GUI singleton: registers the GUI's resource types, builds the GUI camera and the standing
// windows "root", "user" and "cursor", keeps the GUI models by name, and runs the GUI's frame:
// the mouse is offered down the window tree, every window updates, and mouse_taken tells the game
// that a modal or capturing window held the mouse. The render pass calls UpdateLayout.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "source/core/Singleton.h"
#include "source/math/Vector.h"
#include "source/scene/SceneHost.h"

class CameraHandle;
class cInput;
class GUICursor;
class GUIFontTable;
class TextTable;
class GUIWindow;
class RenderObject;

class GUISystem : public Singleton<GUISystem>, public SceneHost {
 public:
  GUISystem();
  ~GUISystem() override;

  // Once: the GUI camera, "root", "user" and "cursor", and the render pass's GUI layout step.
  void Init();
  // The GUI's part of the update pass.
  void Update();
  // World matrices, placements and depths of the whole tree (the render pass's GUI step).
  void UpdateLayout();
  void AssignDepths();
  Vector2 GetMousePosition() const;
  void UpdatePickRay();
  void SetCameraSize(float width, float height);

  void AddModel(const std::string& name, RenderObject* model) { m_models[name] = model; }
  // Forgets the first name of the model, and every window lets go of it (its maker deletes it).
  // Nothing once the GUI system is gone.
  static void RemoveModel(RenderObject* model);
  RenderObject* FindModel(const std::string& name) const;
  // The scenes' host while the GUI system lives: scene models draw with the GUI camera and are
  // found by name here.
  CameraHandle* GetSceneCamera() const override { return m_camera; }
  void EnterSceneModel(const std::string& name, RenderObject* model) override { AddModel(name, model); }
  void LeaveSceneModel(RenderObject* model) override { RemoveModel(model); }
  const std::map<std::string, RenderObject*>& GetModels() const { return m_models; }
  // A model that only lends a static text its box: never drawn, whoever shows its form.
  void MarkHelper(RenderObject* model) { m_helpers.insert(model); }
  bool IsHelper(const RenderObject* model) const { return m_helpers.count(model) != 0; }

  // Windows handed over to be deleted at shut-down.
  void AdoptWindow(GUIWindow* window) { m_windows.push_back(window); }
  void AdoptNamedWindow(const std::string& name, GUIWindow* window) { m_named_windows[name] = window; }
  void SetTop(GUIWindow* window) { m_top = window; }
  // A window being deleted leaves every slot here.
  void Forget(const GUIWindow* window);

  // The current text table and the fonts by index; both live as long as the GUI system.
  TextTable* GetTextTable() const { return m_text_table.get(); }
  GUIFontTable* GetFontTable() const { return m_font_table.get(); }

  CameraHandle* GetCamera() const { return m_camera; }
  GUIWindow* GetRoot() const { return m_root; }
  GUIWindow* GetTop() const { return m_top; }
  GUICursor* GetCursor() const { return m_cursor; }
  bool IsInitialised() const { return m_initialised; }
  bool IsMouseTaken() const { return m_mouse_taken; }
  bool GetSkipMouse() const { return m_skip_mouse; }
  void SetSkipMouse(bool skip) { m_skip_mouse = skip; }
  const Vector3& GetRayOrigin() const { return m_ray_origin; }
  const Vector3& GetRayDirection() const { return m_ray_direction; }

  // The GUI's reference screen.
  static constexpr float kReferenceWidth = 1024.0f;
  static constexpr float kReferenceHeight = 768.0f;
  // The pick ray at a GUI point starts this far before the screen and runs this far into it.
  static constexpr float kRayStartZ = -100.0f;
  static constexpr float kRayLength = 1100.0f;

 private:
  void Shutdown();
  // Where this frame's mouse is offered: at a recorded press or release, else at the pointer.
  Vector2 ClickPoint(const cInput* input, const Vector2& mouse) const;

  CameraHandle* m_camera = nullptr;  // the camera manager's
  std::unique_ptr<TextTable> m_text_table;
  std::unique_ptr<GUIFontTable> m_font_table;
  bool m_initialised = false;
  bool m_mouse_taken = false;
  std::map<std::string, RenderObject*> m_models;  // not owned
  std::set<const RenderObject*> m_helpers;         // not owned; left when their scene leaves
  GUIWindow* m_root = nullptr;                     // the window manager's
  GUIWindow* m_top = nullptr;                      // owned when set
  GUICursor* m_cursor = nullptr;                   // in the tree
  std::vector<GUIWindow*> m_windows;               // owned
  std::map<std::string, GUIWindow*> m_named_windows;  // owned
  bool m_skip_mouse = false;
  Vector3 m_ray_origin;
  Vector3 m_ray_direction;
};
