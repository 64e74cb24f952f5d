#pragma once
// The play bench of the mini-game tests: the game's own built data (forms, fonts, texts, sounds)
// over the headless backends, a fake frame clock, the shared random state set by the test, a
// current profile standing in a stage whose record keeps the games' results, and a stand-in for
// the panel, the hint window and the message boxes. Frames run the update pass (input poll,
// sound, the GUI's mouse dispatch and update, the running game's pause check) and the headless
// render pass, where matrices, boxes and animations advance. Input goes in GUI coordinates
// (1024 x 768, y upward) through the real input poll, as a player's mouse would; probes read what
// the player would see.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameHost.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "source/Resources/cResourceLocation.h"
#include "source/math/Rand.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/Found.h"


// The panel's exit button, the hint window and the two message boxes, as the game sees them.
class BenchHost : public MiniGameHost {
 public:
  void SetButtonMode(const std::string& caption_key, bool on, const DelegatePtr& on_click, int variant) override;
  bool HandleExitButtonMouse(const Vector2& point, bool button_down) override;
  void SyncHintIcons() override { ++hint_syncs; }
  bool IsPhraseShown() const override { return speaking; }
  std::unique_ptr<MiniGameIntro> MakeIntro(const std::string& section, const std::string& key) override;
  void ShowMessageBox(const std::string& title_key, const std::string& text_key) override;
  void ShowYesNoBox(const std::string& title_key, const std::string& text_key, const DelegatePtr& yes,
                    const DelegatePtr& no) override;
  void ForgetCallbacksOf(const void* object) override;

  // "Yes" or "no" in the open Yes/No box; false when none is open.
  bool Answer(bool yes);

  // Where the exit button lies while the panel shows it (GUI units).
  static constexpr float kExitX = 880.0f, kExitY = 20.0f, kExitW = 120.0f, kExitH = 40.0f;
  bool exit_shown = false;
  DelegatePtr exit_handler;
  std::string intro_key;  // the phrase key that has an intro (empty: none has)
  bool speaking = false;
  int intros_shown = 0;
  int hint_syncs = 0;
  std::string box;  // the text key of the box last shown
  DelegatePtr yes_handler;
  DelegatePtr no_handler;
};

class PlayBench : public GuiTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // ---- games ---------------------------------------------------------------------------------------
  // Made by the factory in the window "user"; the bench deletes it at the end.
  MiniGame* Make(const std::string& name);
  // A game made otherwise, the bench's to delete from now on.
  MiniGame* Adopt(MiniGame* game);
  // Deletes a game now (as leaving a location does).
  void Destroy(MiniGame* game);
  // Starts the game as a location's script does; the bench then checks its pause every frame.
  void Begin(MiniGame* game);
  // Begin, then frames until the game works and its mouse hold-off is spent (at most 2 s).
  void Play(MiniGame* game);
  // Frames until the game is hidden again (at most 2 s).
  void PlayOut(MiniGame* game);
  // Make and Play in one, the game as its own class. A game that cannot be made ends the test.
  template <class Game = MiniGame>
  Game* Start(const std::string& name) {
    MiniGame& game = Found(Make(name));
    Play(&game);
    return static_cast<Game*>(&game);
  }
  // After `waiting` seconds the game is still on ("wait"); `then` seconds later it is won.
  void ExpectWonAfter(MiniGame& game, float waiting, float then);

  // The shared random generator's state (games that draw take it from there).
  static void SetRandState(uint32_t state) { g_rand_state = state; }

  // ---- frames --------------------------------------------------------------------------------------
  void Frame(float dt = kFrame);
  void RunFor(float seconds, float dt = kFrame);

  // ---- input in GUI coordinates ----------------------------------------------------------------------
  // The pointer moves there (one frame, so the GUI's cursor has taken it).
  void MoveTo(const Vector2& point);
  // The left button goes down (or up) there, in one frame.
  void Press(const Vector2& point);
  void Release(const Vector2& point);
  void Click(const Vector2& point);
  // Pressed at the first point, moved along the others, released at the last.
  void Drag(const std::vector<Vector2>& path);
  // A relative movement of the mouse, as the input poll reads it (one frame).
  void MoveBy(int32_t dx, int32_t dy);
  // The pointer goes there with no frame: what a slow frame finds moved since the last.
  void SetPointer(const Vector2& point);
  // A key (input::KeyCode) pressed for one frame and released in the next.
  void TapKey(uint8_t code);
  // Clicks the named direct child of the game at a point that picking accepts.
  void ClickPiece(MiniGame& game, const std::string& piece);
  // Clicks the pieces named by the characters in turn: `prefix` + each character (keypads).
  void Type(MiniGame& game, const std::string& prefix, const std::string& keys);
  // A click where none of the game's pieces is.
  void ClickBeside(MiniGame& game);
  void ClickExitButton();


 public:
  // ---- probes ----------------------------------------------------------------------------------------
  // Whether the GUI's picking takes the point as on the window's model.
  static bool Picks(const GUIWindow& window, const Vector2& point);
  // A point of the window's model that the GUI's picking accepts; none without one.
  static std::optional<Vector2> PointOn(const GUIWindow& window);
  // A point of the screen on none of the game's pieces.
  static std::optional<Vector2> PointBeside(const MiniGame& game);
  // The world position of the window (its matrix's translation).
  static Vector3 Pose(const GUIWindow& window);
  static float ShaderFrame(const GUIWindow* window);
  static bool IsShown(const GUIWindow* window) { return window != nullptr && window->IsVisible(); }
  // The "text" value of the named child of the game.
  static std::string TextOf(MiniGame& game, const std::string& child);
 protected:
  // Takes the game's data away (as a damaged install would): games made afterwards find no form.
  void UnmountData() { m_groups.clear(); }
  // The word the stage's record keeps under the name ("" when none).
  std::string Stored(const std::string& name) const;
  LocationRecord& Record() { return profile.m_locations.front(); }

  static constexpr float kFrame = 0.02f;
  static constexpr const char* kStage = "location_4";

  BenchHost host;
  PlayerProfile profile;

 private:
  void MountData();

  std::vector<std::unique_ptr<cResourceLocation>> m_groups;
  std::vector<MiniGame*> m_games;  // owned
  MiniGame* m_running = nullptr;
};
