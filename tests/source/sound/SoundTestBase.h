#pragma once
// The set-up of the sound manager tests: a temporary "data" group of sound files, the manager on
// the headless output with its thread stopped, and a clock the test turns: each step mixes what
// the card would play, then runs a turn of the sound thread and the frame's sound steps.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/audio/headless/HeadlessAudio.h"
#include "source/Resources/cResourceManager.h"
#include "source/Resources/cResourcePtr.h"
#include "source/core/Singleton.h"
#include "source/sound/cSoundManager.h"
#include "source/sound/cSoundPlayer.h"
#include "tests/source/sound/SoundFixtures.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

class SoundTest : public testing::Test {
 protected:
  SoundTest() : m_current(m_dir.Path()), m_tree(m_dir.Path(), "data") {}

  void SetUp() override {
    audio::headless::SetSoundCardPresent(true);
    StartManager();
  }
  void TearDown() override {
    DestroySingletons();
    audio::headless::SetSoundCardPresent(true);
  }

  void StartManager() {
    m_manager = cSoundManager::GetInstance();
    m_manager->GetDevice().StopThread();  // the test turns the clock
    audio::headless::ClearCaptured();
  }

  // Files first, then Mount, then Find.
  void AddSound(const std::string& name, const std::string& bytes) { m_tree.AddFile(name, bytes); }
  void Mount() { cResourceManager::GetInstance()->AddDirectory("data"); }
  static cResourcePtr<cSoundResource> Find(const std::string& name) {
    cResourcePtr<cSoundResource> sound;
    sound.Assign(name);
    return sound;
  }

  // Turns the clock by `seconds` in steps of the sound thread's period.
  void Advance(double seconds, double step = 0.2) {
    for (double done = 0; done < seconds - 1e-9; done += step) {
      audio::headless::Render(static_cast<uint32_t>(std::lround(step * audio::headless::OutputRate())));
      m_manager->Tick(static_cast<float>(step));
      m_manager->Update();
      if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) player->Update();
    }
  }

  // The root-mean-square level (0..1) of the left channel of what was played between two times.
  static double Level(double from, double to) {
    const std::vector<int16_t> played = audio::headless::Captured();
    const size_t rate = audio::headless::OutputRate();
    const size_t first = static_cast<size_t>(from * rate);
    const size_t last = std::min(static_cast<size_t>(to * rate), played.size() / 2);
    double power = 0;
    for (size_t i = first; i < last; ++i) power += std::pow(played[2 * i] / 32768.0, 2);
    return last > first ? std::sqrt(power / static_cast<double>(last - first)) : 0.0;
  }

  static int32_t Attenuation(cSoundChannel* channel) {
    int32_t volume = 1;
    channel->GetBuffer().GetVolume(&volume);
    return volume;
  }

  TempDir m_dir{"velmaris-sound"};
  ScopedCurrentDirectory m_current;
  FixtureTree m_tree;
  cSoundManager* m_manager = nullptr;
};
