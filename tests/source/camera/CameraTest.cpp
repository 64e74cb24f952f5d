#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "source/camera/CameraManager.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem_D3D7.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/support/Found.h"

namespace {

constexpr float kTol = 1e-5f;

void Set(Camera_D3D7& camera, float fov, float near_plane, float far_plane) {
  camera.m_fov = fov;
  camera.m_near = near_plane;
  camera.m_far = far_plane;
}

TEST(CameraProjection, PerspectiveIsFourByThreeWhateverTheAspect) {
  Camera_D3D7 camera(kCameraPerspective);
  camera.SetAspect(16.0f / 9.0f);
  const Matrix4& p = camera.m_proj;
  EXPECT_NEAR(p.m[5], 1.7320508f, kTol);  // 1 / tan 30°
  EXPECT_NEAR(p.m[0], 1.7320508f / 1.3333334f, kTol);
  EXPECT_NEAR(p.m[8], 0.0f, kTol);
  EXPECT_NEAR(p.m[9], 0.0f, kTol);
  EXPECT_NEAR(p.m[10], 1000.0f / 999.0f, kTol);
  EXPECT_EQ(p.m[11], 1.0f);
  EXPECT_NEAR(p.m[14], -1000.0f / 999.0f, kTol);
  EXPECT_EQ(p.m[15], 0.0f);
  EXPECT_EQ(camera.m_projection, camera.m_proj);
  camera.SetAspect(1.0f);
  EXPECT_NEAR(camera.m_proj.m[0], 1.7320508f / 1.3333334f, kTol);
  // The z-biased projection moves the far plane out by one.
  EXPECT_NEAR(camera.m_proj_z_biased.m[10], 1001.0f / 1000.0f, kTol);
  EXPECT_NEAR(camera.m_proj_z_biased.m[14], -1001.0f / 1000.0f, kTol);
  EXPECT_EQ(camera.m_proj_z_biased.m[5], camera.m_proj.m[5]);
  EXPECT_EQ(camera.m_projection_z_biased, camera.m_proj_z_biased);
}

TEST(CameraProjection, FieldOfViewAndNearPlaneFollowTheFormula) {
  // fov 60 widened by 4/3 is 80 degrees; the half-angle formula halves it twice: tan 20 degrees.
  Camera_D3D7 camera(kCameraPerspective);
  Set(camera, 60.0f, 2.0f, 50.0f);
  camera.SetAspect(1.0f);
  const float t = std::tan(20.0f * 3.1415927f / 180.0f);
  EXPECT_NEAR(camera.m_proj.m[5], 1.0f / t, 1e-4f);
  EXPECT_NEAR(camera.m_proj.m[10], 50.0f / 48.0f, kTol);
  EXPECT_NEAR(camera.m_proj.m[14], -100.0f / 48.0f, kTol);
}

TEST(CameraProjection, OrthographicDeviceAndFrustumMatrices) {
  Camera_D3D7 camera(kCameraOrthographic);
  Set(camera, 90.0f, 1000.0f, -1000.0f);  // the GUI camera's planes
  camera.m_width = 800.0f;
  camera.m_height = 600.0f;
  camera.SetAspect(1.0f);
  const Matrix4& d = camera.m_proj;
  EXPECT_FLOAT_EQ(d.m[0], 0.0025f);
  EXPECT_FLOAT_EQ(d.m[5], 2.0f / 600.0f);
  EXPECT_FLOAT_EQ(d.m[10], 1.0f / 2000.0f);
  EXPECT_FLOAT_EQ(d.m[12], -1.0f);
  EXPECT_FLOAT_EQ(d.m[13], -1.0f);
  EXPECT_FLOAT_EQ(d.m[14], 0.5f);
  EXPECT_FLOAT_EQ(d.m[15], 1.0f);
  EXPECT_FLOAT_EQ(camera.m_proj_z_biased.m[10], 1.0f / 1999.0f);
  const Matrix4& f = camera.m_projection;
  EXPECT_FLOAT_EQ(f.m[10], 0.001f);
  EXPECT_FLOAT_EQ(f.m[14], 0.0f);
  EXPECT_FLOAT_EQ(f.m[0], 0.0025f);
}

TEST(CameraView, PositionPitchAndDirection) {
  Camera_D3D7 camera(kCameraPerspective);
  camera.m_position = Vector3(1.0f, 2.0f, 3.0f);
  camera.SetAspect(1.0f);
  EXPECT_EQ(camera.m_view.m[12], 1.0f);
  EXPECT_EQ(camera.m_view.m[13], 2.0f);
  EXPECT_EQ(camera.m_view.m[14], 3.0f);
  EXPECT_EQ(camera.m_direction, Vector3(0.0f, 0.0f, 1.0f));

  camera.m_pitch = 3.1415927f / 6.0f;
  camera.m_yaw = 0.7f;  // turning about Z leaves the viewing direction's third row alone
  camera.SetAspect(1.0f);
  EXPECT_NEAR(camera.m_direction.x, 0.0f, kTol);
  EXPECT_NEAR(camera.m_direction.y, 0.5f, kTol);
  EXPECT_NEAR(camera.m_direction.z, 0.8660254f, kTol);

  Camera_D3D7 up(kCameraPerspective);
  up.m_pitch = 3.1415927f / 2.0f;
  up.m_position = Vector3(0.0f, 1.0f, 0.0f);
  up.SetAspect(1.0f);
  EXPECT_NEAR(up.m_view.m[12], 0.0f, kTol);
  EXPECT_NEAR(up.m_view.m[13], 0.0f, kTol);
  EXPECT_NEAR(up.m_view.m[14], -1.0f, kTol);
}

TEST(CameraView, TheDeviceViewFlipsDepthAndZoomsIntoTheRectangle) {
  Camera_D3D7 camera(kCameraOrthographic);
  camera.m_width = 800.0f;
  camera.m_height = 600.0f;
  camera.SetAspect(1.0f);
  camera.m_x0 = 0.0f, camera.m_y0 = 0.0f, camera.m_x1 = 800.0f, camera.m_y1 = 600.0f;
  Matrix4 v = ComputeDeviceView(camera);
  EXPECT_EQ(v.m[0], 1.0f);
  EXPECT_EQ(v.m[10], -1.0f);
  EXPECT_EQ(v.m[12], 0.0f);
  camera.m_x0 = 100.0f, camera.m_x1 = 300.0f, camera.m_y0 = 150.0f, camera.m_y1 = 450.0f;
  v = ComputeDeviceView(camera);
  EXPECT_FLOAT_EQ(v.m[0], 4.0f);
  EXPECT_FLOAT_EQ(v.m[5], 2.0f);
  EXPECT_FLOAT_EQ(v.m[12], -400.0f);
  EXPECT_FLOAT_EQ(v.m[13], -300.0f);
}

struct ViewportCase {
  uint32_t client_w, client_h;
  uint32_t x, y, w, h;
};

class CameraViewports : public testing::TestWithParam<ViewportCase> {};

TEST_P(CameraViewports, TheWholeRectangleCoversTheCentredFourByThreeArea) {
  const ViewportCase c = GetParam();
  Camera_D3D7 camera(kCameraOrthographic);
  camera.m_x1 = camera.m_width;
  camera.m_y1 = camera.m_height;
  const CameraViewport v = ComputeCameraViewport(camera, c.client_w, c.client_h);
  EXPECT_EQ(v.x, c.x);
  EXPECT_EQ(v.y, c.y);
  EXPECT_EQ(v.width, c.w);
  EXPECT_EQ(v.height, c.h);
}

INSTANTIATE_TEST_SUITE_P(Windows, CameraViewports,
                         testing::Values(ViewportCase{1024, 768, 0, 0, 1024, 768},   // 4:3
                                         ViewportCase{1600, 900, 200, 0, 1200, 900},  // 16:9
                                         ViewportCase{1500, 1000, 0, 0, 1500, 1000},  // exactly 3:2: no margins
                                         ViewportCase{1280, 1024, 0, 0, 1280, 1024},
                                         ViewportCase{1920, 1080, 240, 0, 1440, 1080}));

TEST(CameraViewport, ASubRectangleOnAWideWindowKeepsOneScale) {
  Camera_D3D7 camera(kCameraOrthographic);
  camera.m_width = 800.0f;
  camera.m_height = 600.0f;
  camera.m_x0 = 100.0f, camera.m_x1 = 300.0f, camera.m_y0 = 100.0f, camera.m_y1 = 400.0f;
  // 1600 x 900: the 4:3 area is 1200 wide from 200, so the scale is 1.5 both ways.
  const CameraViewport v = ComputeCameraViewport(camera, 1600, 900);
  EXPECT_EQ(v.x, 350u);
  EXPECT_EQ(v.width, 300u);
  EXPECT_EQ(v.y, 300u);
  EXPECT_EQ(v.height, 450u);
  const CameraViewport narrow = ComputeCameraViewport(camera, 800, 600);
  EXPECT_EQ(narrow.x, 100u);
  EXPECT_EQ(narrow.width, 200u);
}

TEST(CameraViewport, AClientOrACameraWithoutAreaGivesAnEmptyViewport) {
  Camera_D3D7 camera(kCameraOrthographic);
  EXPECT_EQ(ComputeCameraViewport(camera, 1024, 0).width, 0u);
  EXPECT_EQ(ComputeCameraViewport(camera, 1024, 0).height, 0u);
  camera.m_height = 0.0f;
  camera.m_y1 = 1.0f;
  EXPECT_EQ(ComputeCameraViewport(camera, 1024, 768).height, 0u);
  camera.m_height = 1.0f;
  camera.m_width = 0.0f;
  camera.m_x1 = 1.0f;
  EXPECT_EQ(ComputeCameraViewport(camera, 1600, 900).width, 0u);
}

TEST(CameraViewport, ARectangleFarBeyondTheWindowIsBoundedNotWrappedAround) {
  Camera_D3D7 camera(kCameraOrthographic);
  camera.m_width = 1.0f;
  camera.m_height = 1.0f;
  camera.m_viewport_set = true;
  camera.m_x0 = 0.0f, camera.m_x1 = 1.0f, camera.m_y0 = 0.0f;
  camera.m_y1 = 5592406.0f;  // 768 times this is just past 2^32
  const CameraViewport v = ComputeCameraViewport(camera, 1024, 768);
  EXPECT_GT(v.height, 768u);
  EXPECT_LE(v.height, 1u << 30);
}

TEST(CameraFrustum, SpheresInsideOutsideAndTouching) {
  Camera_D3D7 camera(kCameraOrthographic);
  camera.m_width = 10.0f;
  camera.m_height = 10.0f;
  camera.m_near = 1.0f;
  camera.m_far = 100.0f;
  camera.SetAspect(1.0f);
  const Frustum& f = camera.m_frustum;
  EXPECT_TRUE(f.TestSphere(Vector3(5.0f, 5.0f, -50.0f), 1.0f));
  EXPECT_FALSE(f.TestSphere(Vector3(11.0f, 5.0f, -50.0f), 1.0f));  // exactly one radius outside the right plane
  EXPECT_TRUE(f.TestSphere(Vector3(10.5f, 5.0f, -50.0f), 1.0f));   // overlapping it
  EXPECT_FALSE(f.TestSphere(Vector3(-1.0f, 5.0f, -50.0f), 1.0f));  // left
  EXPECT_FALSE(f.TestSphere(Vector3(5.0f, 11.0f, -50.0f), 1.0f));  // top
  EXPECT_FALSE(f.TestSphere(Vector3(5.0f, -1.0f, -50.0f), 1.0f));  // bottom
  EXPECT_FALSE(f.TestSphere(Vector3(5.0f, 5.0f, 50.0f), 1.0f));    // behind the near plane
  EXPECT_FALSE(f.TestSphere(Vector3(5.0f, 5.0f, -200.0f), 1.0f));  // beyond the far plane
  // The planes are normalised: the right plane is x = 10 facing inwards.
  const Plane& right = f.GetPlane(Frustum::kRight);
  EXPECT_NEAR(right.a, -1.0f, kTol);
  EXPECT_NEAR(right.d, 10.0f, kTol);
}

TEST(CameraFrustum, ThePerspectiveFrustumSeesWhatIsInFront) {
  Camera_D3D7 camera(kCameraPerspective);
  camera.SetAspect(1.0f);
  EXPECT_TRUE(camera.m_frustum.TestSphere(Vector3(0.0f, 0.0f, 10.0f), 1.0f));
  EXPECT_FALSE(camera.m_frustum.TestSphere(Vector3(0.0f, 0.0f, -10.0f), 1.0f));
  EXPECT_FALSE(camera.m_frustum.TestSphere(Vector3(100.0f, 0.0f, 10.0f), 1.0f));
  EXPECT_FALSE(camera.m_frustum.TestSphere(Vector3(0.0f, 0.0f, 2000.0f), 1.0f));
}

class CameraManagerTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    RenderWindowHooks hooks;
    hooks.client_size = [this](uint32_t& w, uint32_t& h) {
      w = m_client_w;
      h = m_client_h;
    };
    SetRenderWindowHooks(hooks);
    m_cameras = RenderManager::GetInstance()->GetCameraManager();
  }
  const gfx::Viewport& DeviceViewport() { return RenderSystem_D3D7::GetDevice()->State().viewport; }
  uint32_t m_client_w = 1600;
  uint32_t m_client_h = 900;
  CameraManager* m_cameras = nullptr;
};

// The default camera, perspective, is made first and alone.
TEST_F(CameraManagerTest, FreedSlotsAreReusedFirstFreedFirstAndTheActiveOrderFollowsCreation) {
  using Slots = std::vector<uint32_t>;
  ASSERT_NE(m_cameras->GetDefaultCamera(), nullptr);
  EXPECT_EQ(Found(Found(m_cameras->GetDefaultCamera()).GetCamera()).m_kind, static_cast<uint32_t>(kCameraPerspective));
  EXPECT_EQ(m_cameras->GetCameraCount(), 1u);
  CameraHandle* a = m_cameras->CreateCamera(1);  // slot 1, the default camera has 0
  CameraHandle* b = m_cameras->CreateCamera(1);  // slot 2
  CameraHandle* c = m_cameras->CreateCamera(1);  // slot 3
  m_cameras->DestroyCamera(c);
  m_cameras->DestroyCamera(a);
  EXPECT_EQ(m_cameras->GetActiveSlots(), (Slots{0, 2}));
  CameraHandle* d = m_cameras->CreateCamera(0);  // takes slot 3, freed before slot 1
  CameraHandle* e = m_cameras->CreateCamera(0);  // then slot 1
  CameraHandle* f = m_cameras->CreateCamera(0);  // the table grows again
  EXPECT_EQ(m_cameras->GetSlots(), (std::vector<CameraHandle*>{m_cameras->GetDefaultCamera(), e, b, d, f}));
  EXPECT_EQ(m_cameras->GetActiveSlots(), (Slots{0, 2, 3, 1, 4}));
  m_cameras->DestroyCamera(nullptr);
  EXPECT_EQ(m_cameras->GetCameraCount(), 5u);
}

TEST_F(CameraManagerTest, ApplyingSetsTheCentredViewportAndTheProjection) {
  m_cameras->UpdateAspectRatios();
  CameraHandle* camera = m_cameras->GetDefaultCamera();
  ASSERT_NE(camera, nullptr);
  m_cameras->SetCurrentCamera(camera, false);
  EXPECT_EQ(DeviceViewport(), (gfx::Viewport{200, 0, 1200, 900, 0.0f, 1.0f}));
  const gfx::DeviceState& s = RenderSystem_D3D7::GetDevice()->State();
  EXPECT_FLOAT_EQ(s.projection.m[10], (*camera)->m_proj.m[10]);
  EXPECT_EQ(s.view.m[10], -1.0f);
  m_cameras->SetCurrentCamera(camera, true);
  EXPECT_FLOAT_EQ(RenderSystem_D3D7::GetDevice()->State().projection.m[10], (*camera)->m_proj_z_biased.m[10]);
}

TEST_F(CameraManagerTest, ACameraIsAppliedOnlyWhenItOrItsBiasChangesWithinAFrame) {
  CameraHandle* gui = m_cameras->CreateCamera(1);
  CameraHandle* scene = m_cameras->GetDefaultCamera();
  m_cameras->UpdateAspectRatios();
  gfx::headless::ClearRecords();
  m_cameras->SetCurrentCamera(gui, false);
  m_cameras->SetCurrentCamera(gui, false);
  EXPECT_EQ(gfx::headless::CallCount(gfx::Call::kSetViewport), 1u);
  m_cameras->SetCurrentCamera(gui, true);
  m_cameras->SetCurrentCamera(scene, true);
  EXPECT_EQ(gfx::headless::CallCount(gfx::Call::kSetViewport), 3u);
  m_cameras->UpdateAspectRatios();  // a new frame forgets the last camera
  m_cameras->SetCurrentCamera(scene, true);
  EXPECT_EQ(gfx::headless::CallCount(gfx::Call::kSetViewport), 4u);
}

TEST_F(CameraManagerTest, AFlaggedRectangleIsKeptAndAnUnflaggedOneIsReset) {
  CameraHandle* handle = m_cameras->CreateCamera(1);
  Camera_D3D7* camera = handle->GetCamera();
  ASSERT_NE(camera, nullptr);
  camera->m_width = 800.0f;
  camera->m_height = 600.0f;
  camera->m_x0 = 100.0f, camera->m_x1 = 300.0f, camera->m_y0 = 100.0f, camera->m_y1 = 400.0f;
  m_cameras->UpdateAspectRatios();
  m_cameras->SetCurrentCamera(handle, false);
  EXPECT_EQ(camera->m_x1, 800.0f);
  EXPECT_EQ(DeviceViewport().width, 1200u);
  camera->m_x0 = 100.0f, camera->m_x1 = 300.0f, camera->m_y0 = 100.0f, camera->m_y1 = 400.0f;
  camera->m_viewport_set = true;
  m_cameras->UpdateAspectRatios();
  m_cameras->SetCurrentCamera(handle, false);
  EXPECT_EQ(DeviceViewport(), (gfx::Viewport{350, 300, 300, 450, 0.0f, 1.0f}));
  EXPECT_EQ(camera->m_x1, 300.0f);
}

TEST_F(CameraManagerTest, AMinimisedWindowIsSkipped) {
  m_cameras->UpdateAspectRatios();
  const Matrix4 before = Found(m_cameras->GetDefaultCamera())->m_proj;
  m_client_h = 0;
  m_cameras->UpdateAspectRatios();
  EXPECT_EQ(Found(m_cameras->GetDefaultCamera())->m_proj, before);
  gfx::headless::ClearRecords();
  m_cameras->SetCurrentCamera(m_cameras->GetDefaultCamera(), false);
  EXPECT_EQ(gfx::headless::CallCount(gfx::Call::kSetViewport), 0u);
}

TEST_F(CameraManagerTest, AFailedProjectionIsLoggedAndTheFrameGoesOn) {
  m_cameras->UpdateAspectRatios();
  gfx::headless::FailCall(gfx::Call::kSetTransform, gfx::DDERR_INVALIDPARAMS, 1, 0, false,
                          gfx::D3DTRANSFORMSTATE_PROJECTION);
  m_cameras->SetCurrentCamera(m_cameras->GetDefaultCamera(), false);
  EXPECT_TRUE(LogHas("Direct3D Subsystem (m_device-&gt;SetTransform(D3DTRANSFORMSTATE_PROJECTION, m_proj)): "));
  EXPECT_TRUE(LogHas("source\\camera\\Camera_D3D7"));
}

}  // namespace
