#pragma once
// The round puzzle: seven stone chips, one in the centre and six on a ring. Each of six turn
// buttons carries the centre chip and two neighbouring ring chips one place on; a symbol lights
// for every ring chip on its own point, and with all six home the puzzle is won two seconds later.

#include <array>
#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "source/Resources/cResourcePtr.h"
#include "source/math/Vector.h"
#include "source/sound/cSoundResource.h"

class MiniGameRoundPuzzle : public MiniGame {
 public:
  static constexpr int kChips = 7;
  static constexpr int kButtons = 6;
  static constexpr int kPlaces = 9;  // a 3 x 3 table; cells 1 and 7 stay empty
  static constexpr float kTurnTime = 0.8f;
  static constexpr float kWinDelay = 2.0f;
  static constexpr float kHomeDistance = 0.5f;
  static constexpr int kShuffleTurns = 1000;
  // The places each button turns, in order: a chip moves to the next place, the last to the first.
  static constexpr int kTurns[kButtons][3] = {{0, 2, 3}, {0, 3, 4}, {0, 4, 5}, {0, 5, 6}, {0, 6, 8}, {0, 8, 2}};

  explicit MiniGameRoundPuzzle(GUIWindow* parent);

  // Resets the flags and shuffles; the puzzle never starts solved.
  void Start() override;
  bool IsWorkingFinished(float dt) override;

  // Applies up to `turns` drawn turns at once; with `until_scattered`, stops once no ring chip is
  // home. Never leaves the puzzle solved. Answers the number of drawn turns applied.
  int Shuffle(int turns, bool until_scattered);
  // The chip number at a place (0..8); -1 for an empty place.
  int ChipAt(int place) const;
  // Ring chips on their points, as the last home check counted them.
  int CountHome() const { return m_home_count; }
  bool IsTurning() const { return m_turning; }

 private:
  struct TurnRecord {
    int place = 0;
    Vector3 start;
    Vector3 target;
  };

  DelegateArg OnTurn(DelegateArg sender);
  void PrepareTurn(int button);
  // Every chip of the prepared turn at `progress` (0 start, 1 target) of its way.
  void MoveTurn(float progress);
  // Each place of the turn takes the chip that arrived there.
  void ExchangeTurnedPlaces();
  void ApplyTurnAtOnce(int button);
  // Lights a symbol for each ring chip on its point; `sounding` plays the chime for new ones.
  void CheckHome(bool sounding);
  bool IsChipHome(int chip) const;
  Vector3 PositionOfPlace(int place) const;
  void PlaceChip(GUIWindow* chip, const Vector3& position);

  std::vector<GUIWindow*> m_chips;
  std::vector<GUIWindow*> m_points;
  std::vector<GUIWindow*> m_symbols;  // by chip number; [0] is none
  std::vector<GUIWindow*> m_buttons;
  std::array<int, kPlaces> m_places{};  // chip numbers, -1 empty
  std::array<TurnRecord, 3> m_turn{};
  bool m_solved = false;
  bool m_turning = false;
  bool m_check = false;
  float m_timer = 0.0f;
  int m_home_count = 0;
  cResourcePtr<cSoundResource> m_turn_sound;
  cResourcePtr<cSoundResource> m_home_sound;
};
