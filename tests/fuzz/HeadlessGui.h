#pragma once
// The fuzz targets that drive the game's own forms: the headless window, renderer, GUI and input
// at the GUI's 1024 x 768, and a "data" group of forms copied from content/ as the content tool
// writes them (the sources unchanged, named ".resource"), in a folder removed at exit.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "gui/include/GUISystem.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "platform/window/window.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cResourceManager.h"
#include "source/input/cInput.h"
#include "source/render/RenderManager.h"
#include "source/timer/cTimerManager.h"
#include "tests/support/QuietLog.h"

#ifndef VELMARIS_CONTENT_DIR
#error "the fuzz target reads the game's forms from content/"
#endif

class HeadlessGui {
 public:
  explicit HeadlessGui(const std::string& name) {
    setenv("VELMARIS_HEADLESS", "1", 1);
    QuietLog();
    window::CreateMainWindow("Velmaris");
    window::headless::SetClientSize(1024, 768);
    RenderManager::GetInstance();
    cResourceManager::GetInstance();
    GUISystem::GetInstance()->Init();
    GUISystem::GetInstance()->SetCameraSize(1024, 768);
    cInput::GetInstance()->InitInput();
    m_folder = std::filesystem::temp_directory_path() / ("velmaris-fuzz-" + name + "-" + std::to_string(getpid()));
    static const std::filesystem::path made = m_folder;
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(made, ignored);
    });
  }

  // content/<source> as the data group's <resource>.resource ("gui/map.xml", "gui/map").
  void AddForm(const std::filesystem::path& source, const std::string& resource) {
    const std::filesystem::path to = m_folder / "data" / (resource + ".resource");
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(std::filesystem::path(VELMARIS_CONTENT_DIR) / source, to,
                               std::filesystem::copy_options::overwrite_existing);
  }
  void MountForms() {
    m_data = std::make_unique<cResourceLocation>("data", m_folder.string());
    m_data->Mount();
  }

  // A frame's timers, input and GUI; the caller renders it.
  static void Update() {
    cTimerManager::GetInstance()->UpdateFrameTime();
    cInput::GetInstance()->UpdateInput();
    GUISystem::GetInstance()->Update();
  }
  static void Frame() {
    Update();
    RenderManager::GetInstance()->RenderFrame();
  }

 private:
  std::filesystem::path m_folder;
  std::unique_ptr<cResourceLocation> m_data;
};
