// velmaris-scene REPORT: draws the sample game's first location through the real render manager
// in the real window, from the data beside the program (its "data" folder, or the pack file of
// that name): the textured background, the turning windmill sails (node animation), the
// rippling banner (vertex morphing) and two gems, of which the one under the player's pointer is
// picked and drawn found (faded). The frame read back from the window goes to REPORT.ppm and what
// was picked to REPORT.txt. Until the GUI and its shaders exist, this stands in for them: the
// objects bind their own textures. Exit status 0 when the frame was drawn and read.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/window.h"
#include "source/Resources/cResourceManager.h"
#include "source/Resources/cResourcePtr.h"
#include "source/camera/CameraManager.h"
#include "source/config/Config.h"
#include "source/core/Singleton.h"
#include "source/log/cLog.h"
#include "source/model/ModelResource.h"
#include "source/path/Paths.h"
#include "source/properties/cProperties.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/texture/TextureResource.h"
#include "tests/e2e/scene/SceneObject.h"

namespace {

constexpr float kWidth = 1024.0f;
constexpr float kHeight = 768.0f;
// Where the player points: at the left gem on the quay (x right, y up from the bottom).
constexpr float kPointerX = 470.0f;
constexpr float kPointerY = 70.0f;

struct Scene {
  std::vector<std::unique_ptr<SceneObject>> objects;
  SceneObject* Add(const std::string& model, const std::string& texture, float x, float y, float depth, bool blended,
                   CameraHandle* camera) {
    cResourcePtr<ModelResource> shape;
    cResourcePtr<TextureResource> picture;
    if (!shape.Assign(model) || !picture.Assign(texture)) return nullptr;
    objects.push_back(std::make_unique<SceneObject>(shape->GetModel(), camera, picture, depth, blended));
    SceneObject* object = objects.back().get();
    object->SetName(model);
    object->SetWorldMatrix(Matrix4::MakeTranslation(x, y, 0.0f));
    object->SetVisible(true);
    return object;
  }
};

void Animate(SceneObject* object, const char* name, uint32_t last_frame, float speed, float time) {
  AnimationController& animation = object->GetAnimation();
  animation.AddAnimation(name, AnimationEntry::FromSpeed(name, 0, last_frame, true, speed));
  animation.SetAnimation(name);
  animation.SetTime(time);  // a fixed pose, so that every run draws the same frame
}

// The render pass of RenderManager::RenderFrame with the back buffer read between the draw list
// and the present.
bool DrawAndRead(RenderManager& manager, std::vector<uint8_t>& pixels, uint32_t& width, uint32_t& height) {
  RenderSystem_D3D7* render_system = manager.GetRenderSystemD3D7();
  render_system->CheckDevice();
  manager.GetCameraManager()->UpdateAspectRatios();
  manager.GetModelManager()->Render();
  const std::shared_ptr<gfx::Surface>& back = render_system->GetBackSurface();
  gfx::SurfaceDesc locked;
  if (!back || gfx::Failed(back->Lock(nullptr, locked, gfx::DDLOCK_WAIT | gfx::DDLOCK_READONLY))) return false;
  width = locked.width;
  height = locked.height;
  pixels.resize(std::size_t{width} * height * 3);
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(locked.memory) + std::size_t{y} * locked.pitch;
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t* out = &pixels[(std::size_t{y} * width + x) * 3];
      out[0] = row[x * 4 + 2];
      out[1] = row[x * 4 + 1];
      out[2] = row[x * 4 + 0];
    }
  }
  back->Unlock(nullptr);
  render_system->Present();
  return true;
}

bool WriteFrame(const std::string& path, const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return false;
  std::fprintf(file.get(), "P6\n%u %u\n255\n", width, height);
  return std::fwrite(pixels.data(), 1, pixels.size(), file.get()) == pixels.size();
}

int Run(const std::string& report) {
  cProperties& properties = *cProperties::GetInstance();
  properties.SetValue("short_name", "tarvel");
  properties.SetValue("application_name", "Velmaris");
  LoadConfig(properties);
  cLog::GetInstance()->Open();
  if (!window::Initialize() || !window::CreateMainWindow("Velmaris")) {
    std::fprintf(stderr, "velmaris-scene: no window: %s\n", window::LastError().c_str());
    return 1;
  }
  RenderManager& manager = *RenderManager::GetInstance();
  if (!manager.IsStarted()) return 1;
  SetCurrentDir(properties.GetValue("exe_directory"));
  cResourceManager::GetInstance()->AddDirectory("data");

  CameraHandle* camera = manager.GetCameraManager()->CreateCamera(kCameraOrthographic);
  (*camera)->m_width = kWidth;
  (*camera)->m_height = kHeight;
  (*camera)->m_near = 1000.0f;
  (*camera)->m_far = -1000.0f;

  Scene scene;
  SceneObject* background = scene.Add("models\\harbour_background", "textures\\harbour_dusk", 0, 0, 100, false, camera);
  SceneObject* sails = scene.Add("models\\windmill_sails", "textures\\sails", 300, kHeight - 302, 50, true, camera);
  SceneObject* banner = scene.Add("models\\banner", "textures\\banner", 863, kHeight - 436, 40, false, camera);
  SceneObject* left_gem = scene.Add("models\\gem", "textures\\gem", 470, 70, 30, true, camera);
  SceneObject* right_gem = scene.Add("models\\gem", "textures\\gem", 590, 70, 30, true, camera);
  if (!background || !sails || !banner || !left_gem || !right_gem) {
    std::fprintf(stderr, "velmaris-scene: the scene's models or pictures are missing\n");
    return 1;
  }
  left_gem->SetName("left gem");
  right_gem->SetName("right gem");
  Animate(sails, "turn", 32, 8.0f, 3.0f);     // three frames into the turn: 3/32 of it
  Animate(banner, "wave", 24, 12.0f, 7.5f);   // between frames 7 and 8

  // One frame brings every object up to date (poses, boxes), then the pointer picks.
  manager.RenderFrame();
  std::string picked;
  for (const auto& object : scene.objects) {
    float distance = kPickNoHit;
    if (object.get() != background && object->PickByRay(Vector3(kPointerX, kPointerY, -100.0f), Vector3(0, 0, 1100.0f), &distance)) {
      picked += object->GetName() + "\n";
      object->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.35f));  // found: it fades out
    }
  }
  manager.RenderFrame();
  std::vector<uint8_t> pixels;
  uint32_t width = 0, height = 0;
  if (!DrawAndRead(manager, pixels, width, height) || !WriteFrame(report + ".ppm", pixels, width, height)) return 1;
  std::unique_ptr<FILE, int (*)(FILE*)> text(std::fopen((report + ".txt").c_str(), "wb"), &std::fclose);
  if (!text || std::fputs(picked.c_str(), text.get()) < 0) return 1;
  scene.objects.clear();
  manager.GetCameraManager()->DestroyCamera(camera);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: velmaris-scene REPORT\n");
    return 2;
  }
  const int status = Run(argv[1]);
  DestroySingletons();
  window::Shutdown();
  return status;
}
