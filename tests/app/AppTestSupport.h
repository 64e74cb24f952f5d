#pragma once
// Shared pieces of the application tests: a game state that records what each frame saw, and a
// fixture that makes the application over the headless window with a test-driven tick count.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/cGameState.h"
#include "app/sources/cApplication.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "source/core/Singleton.h"
#include "tests/support/TempDir.h"

// What the update pass showed the game in one frame.
struct FrameRecord {
  float dt = 0.0f;
  bool key_pending = false;
  bool key_is_character = false;
  char16_t key_code = 0;
};

class RecordingState : public cGameState {
 public:
  void Update(float dt) override {
    const cApplication* application = cApplication::PeekInstance();
    FrameRecord record;
    record.dt = dt;
    if (application != nullptr) {
      record.key_pending = application->IsKeyPending();
      record.key_is_character = application->IsKeyCharacter();
      record.key_code = application->GetKeyCode();
    }
    frames.push_back(record);
    if (on_update) on_update(frames.size());
    // A loop that should have ended long ago is ended, so a fault fails the test instead of
    // hanging it.
    if (frames.size() == kRunaway) window::PostQuitMessage(99);
  }
  void Enter() override {}
  void Leave() override {}

  static constexpr std::size_t kRunaway = 100000;
  std::vector<FrameRecord> frames;
  std::function<void(std::size_t)> on_update;
};

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DestroySingletons();
    application = cApplication::GetInstance();
    application->SetInstanceLockFolder(lock_folder.Path());
    ASSERT_TRUE(application->Create("Velmaris"));
    GameInstance()->ChangeState(&state);
  }
  void TearDown() override {
    if (AdventureGame* game = AdventureGame::PeekInstance()) game->ChangeState(nullptr);
    DestroySingletons();
  }

  // The tick count hands out `ticks` in turn, repeating the last one.
  void UseTicks(std::vector<uint32_t> ticks) {
    auto shared = std::make_shared<std::vector<uint32_t>>(std::move(ticks));
    auto next = std::make_shared<std::size_t>(0);
    application->SetTickSource([shared, next] {
      const std::size_t index = *next < shared->size() ? (*next)++ : shared->size() - 1;
      return (*shared)[index];
    });
  }

  // Ends the loop once `count` frames have updated the game.
  void QuitAfterFrames(std::size_t count) {
    state.on_update = [this, count](std::size_t frames) {
      if (frames >= count) application->Quit();
    };
  }

  TempDir lock_folder{"velmaris-lock"};
  cApplication* application = nullptr;
  RecordingState state;
};
