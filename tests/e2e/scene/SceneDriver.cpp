// velmaris-scene REPORT: draws the sample game's first location through the real render manager
// in the real window, from the data beside the program (its "data" folder, or the pack file of
// that name): the textured background, the turning windmill sails (node animation), the
// rippling banner (vertex morphing) and two gems, of which the one under the player's pointer is
// picked and drawn found (faded), the lighthouse's flame flickering through an animated (net)
// shader and a hint's stars rising over the barrel, a particle effect. The frame read back from the window
// goes to REPORT.ppm, the frame 0.3 s later (flame and stars moved on, all else still) to
// REPORT-later.ppm, and what was picked to REPORT.txt. Until the GUI exists, this stands in for
// it: the pictures bind their own textures, and the effect is held by a stand-in window. Exit
// status 0 when the frames were drawn and read.

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
#include "source/model/Model.h"
#include "source/model/ModelFile.h"
#include "source/model/ModelResource.h"
#include "source/particle/ParticleEffectHandle.h"
#include "source/particle/ParticleEffectOwner.h"
#include "source/particle/ParticleInstanceManager.h"
#include "source/particle/cParticleResource.h"
#include "source/path/Paths.h"
#include "source/properties/cProperties.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/shaders/ShaderRef.h"
#include "source/texture/TextureResource.h"
#include "source/timer/cTimerManager.h"
#include "tests/e2e/scene/SceneObject.h"

namespace {

constexpr float kWidth = 1024.0f;
constexpr float kHeight = 768.0f;
// Where the player points: at the left gem on the quay (x right, y up from the bottom).
constexpr float kPointerX = 470.0f;
constexpr float kPointerY = 70.0f;
// The flame in the lighthouse's lamp and the hint's stars over the barrel on the quay (x right,
// y up from the bottom).
constexpr float kFlameX = 80.0f;
constexpr float kFlameY = 462.0f;
constexpr float kFlameSize = 40.0f;
constexpr float kStarsX = 290.0f;
constexpr float kStarsY = 110.0f;

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

// The lighthouse's flame: a quad of side `size` from (0, 0), texture corners from the lower left.
CountedPtr<Model> FlameQuad(float size) {
  CountedPtr<Model> quad(new Model("lantern", 4, 6, kModelTriangleList));
  for (uint32_t i = 0; i < 4; ++i) {
    const float u = static_cast<float>(i & 1), v = static_cast<float>(i >> 1);
    *quad->m_vertices->GetVertex(i) = Vertex{u * size, v * size, 0.0f, 0.0f, 0.0f, -1.0f, 0xFFFFFFFFu, u, v};
  }
  const uint16_t indices[6] = {0, 2, 1, 1, 2, 3};
  quad->m_indices.Upload(indices);
  quad->m_box.Set(Vector3(0, 0, 0), Vector3(size, size, 0));
  return quad;
}

// The window an effect belongs to, as the GUI will give it: the effect is drawn with the scene.
class EffectWindow : public ParticleEffectOwner {
 public:
  void InsertIntoDrawList(RenderObject* object) override { object->SetFlagBits(kRenderObjectGuiGroup | kRenderObjectNoDepth); }
  void RemoveFromDrawLists(RenderObject*) override {}
  Vector3 GetWorldPosition() const override { return Vector3(); }
};

// The frame clock: a fixed step a frame, so that every run draws the same frames.
class SteppedClock : public TimerClock {
 public:
  uint64_t Counter() override { return m_now; }
  uint64_t Frequency() override { return 1000; }
  uint32_t TickCount() override { return static_cast<uint32_t>(m_now); }
  void Step(uint64_t milliseconds) { m_now += milliseconds; }

 private:
  uint64_t m_now = 0;
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
  auto clock = std::make_shared<SteppedClock>();
  cTimerManager::GetInstance()->SetClock(clock);
  const auto frame = [&](uint64_t milliseconds) {
    clock->Step(milliseconds);
    cTimerManager::GetInstance()->UpdateFrameTime();
    manager.RenderFrame();
  };
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

  // The lighthouse's lamp: its flame walks through eight frames, ten a second.
  scene.objects.push_back(std::make_unique<SceneObject>(FlameQuad(kFlameSize), camera, cResourcePtr<TextureResource>(),
                                                        20.0f, true));
  SceneObject* lantern = scene.objects.back().get();
  lantern->GetShaderHolder().SetShader(ShaderRef::FromResource("shaders\\lantern_flame"));
  lantern->SetWorldMatrix(Matrix4::MakeTranslation(kFlameX, kFlameY, 0.0f));
  lantern->SetVisible(true);
  // A hint's stars over the barrel, drawn with the scene's camera.
  manager.GetParticleInstanceManager()->SetDefaultCamera(camera);
  cResourcePtr<cParticleResource> stars;
  EffectWindow window;
  if (!lantern->GetShaderHolder().GetShader() || !stars.Assign("particle systems\\hint_effect")) {
    std::fprintf(stderr, "velmaris-scene: the lantern's shader or the hint's stars are missing\n");
    return 1;
  }
  ParticleEffectHandle hint(stars.Get(), &window, 0.0f);
  hint.StartAt(Vector3(kStarsX, kStarsY, 0.0f));

  // One frame brings every object up to date (poses, boxes), then the pointer picks.
  frame(50);
  std::string picked;
  for (const auto& object : scene.objects) {
    float distance = kPickNoHit;
    if (object.get() != background && object.get() != lantern &&
        object->PickByRay(Vector3(kPointerX, kPointerY, -100.0f), Vector3(0, 0, 1100.0f), &distance)) {
      picked += object->GetName() + "\n";
      object->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.35f));  // found: it fades out
    }
  }
  frame(50);
  std::vector<uint8_t> pixels;
  uint32_t width = 0, height = 0;
  if (!DrawAndRead(manager, pixels, width, height) || !WriteFrame(report + ".ppm", pixels, width, height)) return 1;
  for (int i = 0; i < 6; ++i) frame(50);
  if (!DrawAndRead(manager, pixels, width, height) || !WriteFrame(report + "-later.ppm", pixels, width, height)) {
    return 1;
  }
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
