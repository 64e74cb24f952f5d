#pragma once
// What a scene needs from the layer that shows its models: the camera they are drawn with and the
// map where windows find them by name. The GUI system installs itself as the host while it lives;
// with no host, a scene's objects get no camera and are entered nowhere.

#include <string>

class CameraHandle;
class RenderObject;

class SceneHost {
 public:
  virtual CameraHandle* GetSceneCamera() const = 0;
  virtual void EnterSceneModel(const std::string& name, RenderObject* model) = 0;
  // The model leaves the map and everything that borrowed it; its scene deletes it afterwards.
  virtual void LeaveSceneModel(RenderObject* model) = 0;

  static SceneHost* GetCurrent();
  // Null removes the host; a host removes itself only while it is the current one.
  static void SetCurrent(SceneHost* host);
  static void Withdraw(SceneHost* host);

 protected:
  ~SceneHost() = default;
};
