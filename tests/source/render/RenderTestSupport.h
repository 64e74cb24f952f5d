#pragma once
// Shared set-up of the render tests: the headless window and graphics backends reset to their
// defaults, a main window, the settings back at their defaults (windowed), and a log page in a
// temporary folder whose entries the tests read.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gfx/gfx.h"
#include "platform/gfx/headless/Headless.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "platform/window/window.h"
#include "source/core/Singleton.h"
#include "source/log/cLog.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderSettings.h"
#include "source/render/RenderSystem_D3D7.h"
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

// A 4 x 4 texture surface made through the render system's DirectDraw object, every texel `argb`.
inline std::shared_ptr<gfx::Surface> MakeSolidTexture(uint32_t argb) {
  gfx::SurfaceDesc desc;
  desc.flags = gfx::DDSD_CAPS | gfx::DDSD_WIDTH | gfx::DDSD_HEIGHT | gfx::DDSD_PIXELFORMAT;
  desc.caps = gfx::DDSCAPS_TEXTURE;
  desc.width = desc.height = 4;
  desc.format = gfx::FormatA8R8G8B8();
  std::shared_ptr<gfx::Surface> texture;
  EXPECT_EQ(RenderSystem_D3D7::GetDirectDraw()->CreateSurface(desc, texture), gfx::DD_OK);
  gfx::SurfaceDesc locked;
  if (!texture || gfx::Failed(texture->Lock(nullptr, locked, gfx::DDLOCK_WAIT))) return texture;
  for (uint32_t y = 0; y < desc.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.memory) + y * locked.pitch);
    for (uint32_t x = 0; x < desc.width; ++x) row[x] = argb;
  }
  texture->Unlock(nullptr);
  return texture;
}
