// The sound thread at work beside the main thread and the card's callback (run under
// ThreadSanitizer too): sounds start, stop and change volume while the thread refills them, and
// the game quits while music still fades.

#include <atomic>
#include <thread>

#include "tests/source/sound/SoundTestBase.h"

namespace {

using namespace sound_fixtures;

class SoundThreadTest : public SoundTest {
 protected:
  void SetUp() override {
    audio::headless::SetSoundCardPresent(true);
    AddSound("click.wav", ToneWav(0.1, 1200, 0.4f));
    AddSound("loop.wav", ToneWav(0.5, 300, 0.3f, 11025, 1, 8));
    AddSound("menu.ogg", ToneOgg(1.0, 330, 0.3f, 44100, 2));
    AddSound("map.ogg", ToneOgg(1.0, 440, 0.3f));
    m_manager = cSoundManager::GetInstance();  // its thread runs
    Mount();
    // The card: mixing every few milliseconds on a thread of its own, as SDL's callback does.
    m_card = std::thread([this] {
      while (!m_quit) {
        audio::headless::Render(256);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
    });
  }
  void TearDown() override {
    m_quit = true;
    m_card.join();
    SoundTest::TearDown();
  }

  std::atomic<bool> m_quit{false};
  std::thread m_card;
};

TEST_F(SoundThreadTest, TheGameUsesSoundWhileTheThreadRefillsIt) {
  cSoundPlayer& player = *cSoundPlayer::GetInstance();
  cResourcePtr<cSoundResource> click = Find("click");
  cResourcePtr<cSoundResource> loop = Find("loop");
  cResourcePtr<cSoundResource> music[2] = {Find("menu"), Find("map")};
  for (int frame = 0; frame < 150; ++frame) {
    if (frame % 5 == 0) player.Play(click, false);
    if (frame % 40 == 0) player.Play(loop, true);
    if (frame % 40 == 20) player.Stop(loop);
    if (frame % 30 == 0) m_manager->PlayMusic(music[(frame / 30) % 2]);
    if (frame % 25 == 0) m_manager->SetSoundVolume(frame % 100);
    if (frame % 35 == 0) m_manager->SetMusicOn(frame % 70 != 0);
    m_manager->Update();
    player.Update();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(audio::headless::Captured().empty());
}

TEST_F(SoundThreadTest, QuittingWhileMusicFadesStopsTheThreadFirst) {
  m_manager->PlayMusic(Find("menu"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  m_manager->PlayMusic(Find("map"));
  cSoundPlayer::GetInstance()->Play(Find("loop"), true);
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  DestroySingletons();  // the player, the sound manager (thread, channels, device), resources
  EXPECT_FALSE(audio::headless::IsOutputOpen());
  EXPECT_TRUE(audio::headless::Render(64).empty());
}

}  // namespace
