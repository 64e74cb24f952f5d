#pragma once
// Shared set-up of the render tests: the headless window and graphics backends reset to their
// defaults, a main window, the settings back at their defaults (windowed), and a log page in a
// temporary folder whose entries the tests read.

#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/headless/Headless.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "platform/window/window.h"
#include "source/core/Singleton.h"
#include "source/log/cLog.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderSettings.h"
#include "source/render/RenderWindow.h"
#include "tests/support/TempDir.h"

class RenderTest : public testing::Test {
 protected:
  void SetUp() override {
    DestroySingletons();
    gfx::headless::Reset();
    window::Shutdown();
    ASSERT_TRUE(window::CreateMainWindow("Velmaris"));
    window::headless::SetDesktopMode(window::DesktopMode{1024, 768, 32});
    g_render_settings = RenderSettings();
    g_render_settings.fullscreen = false;
    g_desktop_mode = DesktopModeRecord();
    SetRenderWindowHooks(RenderWindowHooks());
    cProperties* store = cProperties::GetInstance();
    store->SetValue("short_name", "tarvel");
    store->SetValue("log_directory", m_dir.Path());
    cLog::GetInstance()->Open();
  }

  void TearDown() override {
    DestroySingletons();
    window::Shutdown();
    gfx::headless::Reset();
    SetRenderWindowHooks(RenderWindowHooks());
  }

  std::string LogText() const { return m_dir.ReadFile("tarvel.html"); }
  bool LogHas(const std::string& text) const { return LogText().find(text) != std::string::npos; }

  TempDir m_dir{"velmaris-render"};
};
