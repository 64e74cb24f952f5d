// The sound manager, its channels and the player on the headless output, with the test turning
// the sound thread's clock: effects end with their bytes, music cross-fades, volumes follow the
// volume law, and damaged sounds never hang a turn.

#include <cmath>
#include <limits>

#include "source/Resources/cResourceLocation.h"

#include "source/properties/cProperties.h"
#include "source/sound/SoundVolume.h"
#include "tests/source/sound/SoundTestBase.h"

namespace {

using namespace sound_fixtures;

class SoundManagerTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    AddSound("one_second.wav", ToneWav(1.0, 440, 0.5f));
    AddSound("short.wav", ToneWav(0.3, 880, 0.5f));
    AddSound("eight_bit.wav", ToneWav(0.1, 440, 0.5f, 22050, 1, 8));
    AddSound("a.ogg", ToneOgg(2.0, 330, 0.5f));
    AddSound("b.ogg", ToneOgg(2.0, 550, 0.5f));
    AddSound("c.wav", ToneWav(2.0, 660, 0.5f));
    AddSound("declared.resource", "<resources><resource name=\"declared\" type=\"sound\"/></resources>");
    const std::vector<std::string> damaged = Damaged();
    for (size_t i = 0; i < damaged.size(); ++i) AddSound("bad" + std::to_string(i) + ".wav", damaged[i]);
    Mount();
  }

  // Sounds that are empty, not sounds, without samples, cut short, or in a format no card takes.
  static std::vector<std::string> Damaged() {
    const std::string ogg = ToneOgg(0.5, 440, 0.5f);
    return {"",
            "not a sound at all",
            Riff(Chunk("fmt ", FmtBody(1, 22050, 16)) + Chunk("data", "")),
            ToneOgg(0, 440, 0.5f),
            ogg.substr(0, ogg.size() / 2),
            Riff(Chunk("fmt ", FmtBody(1, 22050, 24)) + Chunk("data", "abcdef"))};
  }

  cSoundChannel* OnlyMusic() {
    const std::vector<cSoundChannel*> music = m_manager->GetMusicChannels();
    return music.size() == 1 ? music[0] : nullptr;
  }
};

TEST(SoundVolumeTest, TheVolumeLawAndSavedPercents) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    float volume;
    int32_t attenuation;
  } law[] = {{1.0f, 0}, {0.5f, -2500}, {0.03f, -4850}, {0.02f, -10000}, {0.0f, -10000}, {1.5f, 0}, {nan, -10000}};
  for (const auto& row : law) EXPECT_EQ(VolumeToAttenuation(row.volume), row.attenuation) << row.volume;
  const struct {
    float volume;
    int percent;
  } saved[] = {{0.29f, 29}, {0.53f, 53}, {0.59f, 59}, {0.03f, 3}, {1.0f, 100}, {7.0f, 100}, {-1.0f, 0}, {nan, 100}};
  for (const auto& row : saved) EXPECT_EQ(VolumeToPercent(row.volume), row.percent) << row.volume;
}

TEST_F(SoundManagerTest, MusicVolumePercentsBecomeBufferAttenuations) {
  m_manager->PlayMusic(Find("a"));
  Advance(3.2);
  ASSERT_NE(OnlyMusic(), nullptr);
  const struct {
    int percent;
    int32_t attenuation;
  } table[] = {{2, -10000}, {3, -4850}, {100, 0}, {50, -2500}, {0, -10000}, {150, 0}, {-5, -10000}};
  for (const auto& row : table) {
    m_manager->SetMusicVolume(row.percent);
    EXPECT_EQ(Attenuation(OnlyMusic()), row.attenuation) << row.percent;
  }
  m_manager->SetMusicVolume(29);
  EXPECT_EQ(cProperties::GetInstance()->GetValue("music_volume"), "0.290000");
}

TEST_F(SoundManagerTest, SavedVolumesComeBackAsTheyWereSaved) {
  DestroySingletons();
  cProperties::GetInstance()->SetValue("sound_volume", "0.530000");
  cProperties::GetInstance()->SetValue("music_volume", "0.590000");
  StartManager();
  EXPECT_FLOAT_EQ(m_manager->GetSoundVolume(), 0.53f);
  EXPECT_FLOAT_EQ(m_manager->GetMusicVolume(), 0.59f);
  EXPECT_EQ(cProperties::GetInstance()->GetValue("sound_volume"), "0.530000");
}

TEST_F(SoundManagerTest, AnEffectStopsOnceItsBytesArePlayed) {
  cResourcePtr<cSoundResource> sound = Find("one_second");
  cSoundPlayer::GetInstance()->Play(sound, false);
  Advance(0.8);
  EXPECT_TRUE(cSoundPlayer::GetInstance()->IsPlaying(sound));
  Advance(0.8);
  EXPECT_FALSE(cSoundPlayer::GetInstance()->IsPlaying(sound));
  EXPECT_TRUE(m_manager->GetEffectChannels().empty());
  EXPECT_NEAR(Level(0.1, 0.9), 0.5 / std::sqrt(2.0), 0.01);
  EXPECT_EQ(Level(1.01, 1.6), 0.0) << "the rest of the buffer is silence";
}

TEST_F(SoundManagerTest, ATurnRightAfterPlayKeepsTheSound) {
  cResourcePtr<cSoundResource> sound = Find("short");
  cSoundPlayer::GetInstance()->Play(sound, false);
  m_manager->Tick(0.001f);  // the sound thread wakes before the card has played a sample
  Advance(0.2);
  EXPECT_TRUE(cSoundPlayer::GetInstance()->IsPlaying(sound));
  EXPECT_GT(Level(0.0, 0.2), 0.3);
}

TEST_F(SoundManagerTest, EightBitSoundsEndInSilence) {
  cSoundPlayer::GetInstance()->Play(Find("eight_bit"), false);
  Advance(0.4);
  EXPECT_GT(Level(0.0, 0.09), 0.3);
  EXPECT_EQ(Level(0.11, 0.4), 0.0);
}

TEST_F(SoundManagerTest, NewMusicCrossFadesOverThreeSeconds) {
  m_manager->PlayMusic(Find("a"));
  Advance(3.2);
  cSoundChannel* a = OnlyMusic();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->GetState(), cSoundChannel::kPlaying);
  EXPECT_EQ(Attenuation(a), 0) << "the fade-in ends at full volume";

  m_manager->PlayMusic(Find("b"));
  cSoundChannel* b = m_manager->GetMusicChannels().back();
  int32_t a_before = Attenuation(a);
  int32_t b_before = Attenuation(b);
  EXPECT_EQ(b_before, -10000);
  for (int step = 0; step < 14; ++step) {
    Advance(0.2);
    EXPECT_LE(Attenuation(a), a_before) << step;
    EXPECT_GE(Attenuation(b), b_before) << step;
    a_before = Attenuation(a);
    b_before = Attenuation(b);
  }
  Advance(0.4);
  EXPECT_EQ(OnlyMusic(), b) << "A is stopped and let go";
  EXPECT_EQ(b->GetState(), cSoundChannel::kPlaying);
  EXPECT_EQ(Attenuation(b), 0);
}

TEST_F(SoundManagerTest, MusicThatPlaysOrFadesInGoesOnUntouched) {
  m_manager->PlayMusic(Find("a"));
  Advance(1.0);
  cSoundChannel* a = OnlyMusic();
  ASSERT_NE(a, nullptr);
  const int32_t fading = Attenuation(a);
  m_manager->PlayMusic(Find("a"));
  EXPECT_EQ(OnlyMusic(), a);
  EXPECT_EQ(a->GetState(), cSoundChannel::kFadingIn);
  EXPECT_EQ(Attenuation(a), fading) << "the fade-in goes on";

  Advance(2.4);
  uint32_t before = 0, after = 0;
  a->GetBuffer().GetCurrentPosition(&before, nullptr);
  m_manager->PlayMusic(Find("a"));
  a->GetBuffer().GetCurrentPosition(&after, nullptr);
  EXPECT_EQ(OnlyMusic(), a);
  EXPECT_EQ(after, before);
  EXPECT_EQ(a->GetState(), cSoundChannel::kPlaying);
}

TEST_F(SoundManagerTest, FadesTurnRoundFromTheGainTheyReached) {
  m_manager->PlayMusic(Find("a"));
  Advance(3.2);
  cSoundChannel* a = OnlyMusic();
  m_manager->PlayMusic(Find("b"));
  Advance(1.0);
  const int32_t reached = Attenuation(a);
  EXPECT_LT(reached, -500);

  m_manager->PlayMusic(Find("c"));  // a third music: A's fade-out goes on as it was
  EXPECT_EQ(Attenuation(a), reached);
  Advance(0.2);
  EXPECT_LT(Attenuation(a), reached);

  const int32_t now = Attenuation(a);
  m_manager->PlayMusic(Find("a"));  // A back: its fade turns round where it stands
  EXPECT_EQ(a->GetState(), cSoundChannel::kFadingIn);
  EXPECT_NEAR(Attenuation(a), now, 2);
  Advance(3.4);
  EXPECT_EQ(OnlyMusic(), a) << "the others faded out";
  EXPECT_EQ(Attenuation(a), 0);
}

TEST_F(SoundManagerTest, AVolumeChangeDuringAFadeKeepsTheFade) {
  m_manager->PlayMusic(Find("a"));
  Advance(0.6);
  m_manager->SetMusicVolume(80);
  const float share = 0.6f / 3.0f;
  EXPECT_NEAR(Attenuation(OnlyMusic()), VolumeToAttenuation(0.8f * share), 2);
}

TEST_F(SoundManagerTest, MusicKeepsItsSoundLoadedWhileItPlays) {
  cResourcePtr<cSoundResource> a = Find("a");
  cSoundResource* resource = a.Get();
  m_manager->PlayMusic(a);
  a.Reset();
  EXPECT_EQ(resource->GetRefCount(), 1);
  Advance(0.4);
  EXPECT_GT(Level(0.2, 0.4), 0.0);
  m_manager->PlayMusic(Find("b"));
  Advance(3.4);
  EXPECT_EQ(resource->GetRefCount(), 0) << "let go with its channel";
}

TEST_F(SoundManagerTest, ASoundWithoutDataPlaysNothing) {
  cResourcePtr<cSoundResource> declared = Find("declared");
  ASSERT_TRUE(declared);
  cSoundPlayer::GetInstance()->Play(declared, true);
  m_manager->PlayMusic(declared);
  EXPECT_TRUE(m_manager->GetEffectChannels().empty());
  EXPECT_TRUE(m_manager->GetMusicChannels().empty());
  EXPECT_TRUE(cSoundPlayer::GetInstance()->IsPlaying(declared));
  Advance(0.2);
  EXPECT_FALSE(cSoundPlayer::GetInstance()->IsPlaying(declared));
}

TEST_F(SoundManagerTest, ThePlayerKeepsHandlesUntilTheFrameAfterTheirEnd) {
  cSoundPlayer& player = *cSoundPlayer::GetInstance();
  cResourcePtr<cSoundResource> sound = Find("short");
  cResourcePtr<cSoundResource> loop = Find("one_second");
  player.Play(sound, false);
  player.Play(sound, false);
  player.Play(loop, true);
  EXPECT_EQ(m_manager->GetEffectChannels().size(), 3u);
  player.Stop(sound);
  EXPECT_EQ(m_manager->GetEffectChannels().size(), 1u) << "both handles of the sound stopped";
  EXPECT_TRUE(player.IsPlaying(sound)) << "until the next frame";
  Advance(2.2);
  EXPECT_FALSE(player.IsPlaying(sound));
  EXPECT_TRUE(player.IsPlaying(loop)) << "a looping sound plays until stopped";

  DeleteSoundHandles(player.GetHandles());
  EXPECT_FALSE(player.IsPlaying(loop));
  player.Stop(loop);
  EXPECT_TRUE(m_manager->GetEffectChannels().empty());
}

TEST_F(SoundManagerTest, MusicSwitchedOffIsSilentAtOnceWhateverItsFadeAndComesBackWhereItStood) {
  struct Case {
    const char* what;
    double first_for;   // seconds of A before the switch (or before B)
    bool second;        // B started, A fading out
    double second_for;  // seconds of B before the switch
    size_t kept;        // music channels kept while off
  };
  const Case cases[] = {
      {"playing", 3.2, false, 0, 1},
      {"fading in", 1.0, false, 0, 1},
      {"cross-fading", 3.2, true, 1.0, 1},
  };
  bool first = true;
  for (const Case& c : cases) {
    if (!first) {  // a fresh manager and output for each case
      DestroySingletons();
      StartManager();
      Mount();
    }
    first = false;
    m_manager->PlayMusic(Find("a"));
    Advance(c.first_for);
    if (c.second) {
      m_manager->PlayMusic(Find("b"));
      Advance(c.second_for);
    }
    const double off_at = c.first_for + c.second_for;
    cSoundChannel* last = m_manager->GetMusicChannels().back();
    const int state = last->GetState();
    m_manager->SetMusicOn(false);
    for (cSoundChannel* channel : m_manager->GetMusicChannels()) EXPECT_FALSE(channel->IsBufferPlaying()) << c.what;
    Advance(1.0);
    EXPECT_EQ(Level(off_at, off_at + 1.0), 0.0) << c.what;
    EXPECT_EQ(last->GetState(), state) << c.what << ": the music waits where it stood";
    m_manager->SetMusicOn(true);
    Advance(0.4);
    ASSERT_EQ(m_manager->GetMusicChannels().size(), c.kept) << c.what << ": music on its way out is gone";
    EXPECT_EQ(m_manager->GetMusicChannels().back(), last) << c.what;
    EXPECT_TRUE(last->IsBufferPlaying()) << c.what;
    EXPECT_GT(Level(off_at + 1.2, off_at + 1.4), 0.0) << c.what;
    Advance(3.2);
    EXPECT_EQ(last->GetState(), cSoundChannel::kPlaying) << c.what << ": a fade-in goes on to the end";
  }
}

// A damaged sound is named in the log once, as it is loaded, whether it then plays in part or not.
TEST_F(SoundManagerTest, EachDamagedSoundIsNamedInTheLogAsItLoads) {
  const char* said[] = {"holds no bytes", "neither a WAVE nor an Ogg Vorbis file", "", "",
                        "Ogg Vorbis headers are damaged or cut short", ""};
  ASSERT_EQ(std::size(said), Damaged().size());
  for (size_t i = 0; i < Damaged().size(); ++i) {
    testing::internal::CaptureStderr();  // the log is not open: its lines go there
    cResourcePtr<cSoundResource> sound = Find("bad" + std::to_string(i));
    cSoundPlayer::GetInstance()->Play(sound, false);
    m_manager->PlayMusic(sound);
    const std::string told = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(sound) << i;
    if (std::string(said[i]).empty()) {
      EXPECT_EQ(told.find(": sound bad"), std::string::npos) << i << ": " << told;
      continue;
    }
    EXPECT_NE(told.find(": sound bad" + std::to_string(i) + " ("), std::string::npos) << i << ": " << told;
    EXPECT_NE(told.find("bad" + std::to_string(i) + ".wav): "), std::string::npos) << i << ": the file: " << told;
    EXPECT_NE(told.find(said[i]), std::string::npos) << i << ": " << told;
  }
}

TEST_F(SoundManagerTest, EmptyAndDamagedSoundsNeverHangATurn) {
  for (size_t i = 0; i < Damaged().size(); ++i) {
    cResourcePtr<cSoundResource> sound = Find("bad" + std::to_string(i));
    ASSERT_TRUE(sound) << i;
    cSoundPlayer::GetInstance()->Play(sound, true);
    cSoundPlayer::GetInstance()->Play(sound, false);
    m_manager->PlayMusic(sound);
  }
  Advance(4.0);
  EXPECT_TRUE(cSoundPlayer::GetInstance()->GetHandles().size() <= 1u) << "only the cut Ogg loops on";
}

TEST_F(SoundManagerTest, BigSoundsStreamFromTheirPackEntryAndSmallOnesUnpack) {
  FixtureTree pack(m_dir.Path(), "pack");
  pack.AddFile("big.wav", ToneWav(6.0, 220, 0.5f, 44100)).AddFile("small.wav", ToneWav(0.5, 220, 0.5f, 44100));
  ASSERT_TRUE(pack.WritePack(m_dir / "packed"));
  cResourceLocation packed("packed");
  ASSERT_TRUE(packed.Mount());
  cResourcePtr<cSoundResource> big = Find("big");
  cResourcePtr<cSoundResource> small = Find("small");
  EXPECT_FALSE(big->IsCompressible());
  EXPECT_TRUE(small->IsCompressible());
  EXPECT_TRUE(big->GetSource().GetMethod().empty()) << "stored as it is";
  cSoundPlayer::GetInstance()->Play(big, false);
  Advance(0.4);
  EXPECT_NEAR(Level(0.05, 0.4), 0.5 / std::sqrt(2.0), 0.01);
  cSoundPlayer::GetInstance()->Play(small, false);
  Advance(0.4);
  EXPECT_NEAR(Level(0.45, 0.8), 2 * 0.5 / std::sqrt(2.0), 0.02) << "both, in phase";
  DeleteSoundHandles(cSoundPlayer::GetInstance()->GetHandles());
}

TEST_F(SoundManagerTest, WithoutASoundCardTheGameRunsSilentAndSaysSoOnce) {
  DestroySingletons();
  audio::headless::SetSoundCardPresent(false);
  testing::internal::CaptureStderr();
  StartManager();
  Mount();
  m_manager->Update();
  // The card is first tried when a sound needs it, so a start that plays nothing yet waits for none.
  EXPECT_EQ(testing::internal::GetCapturedStderr().find("runs silent"), std::string::npos);
  testing::internal::CaptureStderr();
  cSoundPlayer::GetInstance()->Play(Find("short"), false);
  m_manager->PlayMusic(Find("a"));
  Advance(0.4);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(log.find("runs silent"), log.rfind("runs silent"));
  EXPECT_NE(log.find("runs silent"), std::string::npos);
  EXPECT_TRUE(m_manager->GetMusicChannels().empty());
  EXPECT_FALSE(cSoundPlayer::GetInstance()->IsPlaying(Find("short")));
}

}  // namespace
