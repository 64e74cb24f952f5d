#pragma once
// Shared set-up of the GUI tests: the render tests' headless world, the GUI system started with
// its reference screen of 1024 x 768, a frame clock the test sets, and helpers that give a window
// a quad over a rectangle of the screen and step the GUI frame.

#include <memory>
#include <string>

#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindow.h"
#include "gui/include/GUIWindowManager.h"
#include "source/Resources/cResourceManager.h"
#include "source/render/RenderManager.h"
#include "source/timer/cTimerManager.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/source/timer/FakeClock.h"

class GuiTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    clock = std::make_shared<FakeClock>();
    cTimerManager::GetInstance()->SetClock(clock);
    ASSERT_TRUE(RenderManager::GetInstance()->IsStarted());
    cResourceManager::GetInstance();
    gui = GUISystem::GetInstance();
    gui->Init();
    gui->SetCameraSize(GUISystem::kReferenceWidth, GUISystem::kReferenceHeight);
    user = GUIWindowManager::GetInstance()->GetWindow("user");
  }

  // Gives the window a quad of the rectangle (x, y, w, h) in GUI units, placed at once.
  static void PlaceQuad(GUIWindow& window, float x, float y, float w, float h) {
    window.SetValue("shader", "quad");
    window.SetMatrix(Matrix4::MakeTranslation(x, y, 0.0f));
    window.SetSize(Vector3(w, h, 1.0f));
    window.UpdateWorldMatrix();
    window.ApplyTransform();
  }

  // One frame of the GUI with the frame clock moved by `dt` seconds.
  void Frame(float dt = 0.02f) {
    clock->Advance(dt);
    cTimerManager::GetInstance()->UpdateFrameTime();
    gui->Update();
  }

  std::shared_ptr<FakeClock> clock;
  GUISystem* gui = nullptr;
  GUIWindow* user = nullptr;
};
