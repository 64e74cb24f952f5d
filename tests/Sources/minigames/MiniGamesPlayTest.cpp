// The keypad and reading games played on the bench through input alone: the safe, the cash
// register, the telephone, the documents and the notebook, each with the game's own form.

#include "Sources/minigames/MiniGameCashRegister.h"
#include "Sources/minigames/MiniGameNotebook.h"
#include "Sources/minigames/MiniGamePhone.h"
#include "Sources/minigames/MiniGameSafe.h"
#include "tests/Sources/minigames/PlayBench.h"

namespace {

// A keypad game as the player works it: the piece each key of a row stands for, what the display
// shows and the number the game holds.
struct Keypad {
  const char* game;
  std::string (*piece)(char key);
  std::string (*display)(MiniGame& game);
  int32_t (*number)(MiniGame& game);
};

// The safe's cells 5 .. 0, "_" for an empty cell; "!" first while it shows a refused code.
std::string SafeDisplay(MiniGame& game) {
  std::string display = static_cast<MiniGameSafe&>(game).ShowsWrongCode() ? "!" : "";
  for (int cell = 5; cell >= 0; --cell) {
    const std::string text = PlayBench::TextOf(game, "safe_display_" + std::to_string(cell));
    display += text.empty() ? "_" : text;
  }
  return display;
}

// The symbols of the cash register's cells, cell 4 first, as the frames of their shaders.
std::string RegisterDisplay(MiniGame& game) {
  static const char kSymbols[] = "0123456789ero";
  std::string shown;
  for (int cell = 4; cell >= 0; --cell) {
    const float frame = PlayBench::ShaderFrame(game.FindChild("number_" + std::to_string(cell)));
    shown += frame >= 0.0f && frame < 13.0f ? kSymbols[static_cast<int>(frame)] : '?';
  }
  return shown;
}

// Keys: digits; "e" enter and "c" clear (safe), "+" plus (register), "b" the phone's body.
const Keypad kSafe{"safe",
                   [](char key) {
                     return std::string("safe_") + (key == 'e' ? "enter" : key == 'c' ? "c" : std::string(1, key));
                   },
                   SafeDisplay, [](MiniGame& game) { return static_cast<MiniGameSafe&>(game).GetNumber(); }};
const Keypad kRegister{"cashregister", [](char key) { return key == '+' ? std::string("plus") : std::string(1, key); },
                       RegisterDisplay,
                       [](MiniGame& game) { return static_cast<MiniGameCashRegister&>(game).GetValue(); }};
const Keypad kPhone{"phone", [](char key) { return key == 'b' ? std::string("phone_body") : std::string(1, key); },
                    [](MiniGame& game) { return PlayBench::TextOf(game, "input_field"); },
                    [](MiniGame& game) { return static_cast<MiniGamePhone&>(game).GetNumber(); }};

struct KeypadCase {
  const Keypad* pad;
  const char* keys;  // clicked in turn from a fresh start
  const char* display;
  int32_t number;
  const char* result;
};

void PrintTo(const KeypadCase& c, std::ostream* os) { *os << c.pad->game << " keys \"" << c.keys << '"'; }

class Keypads : public PlayBench, public testing::WithParamInterface<KeypadCase> {};

TEST_P(Keypads, KeysShowOnTheDisplayAndTheRightNumberWins) {
  const KeypadCase& c = GetParam();
  MiniGame* game = Start(c.pad->game);
  for (const char* key = c.keys; *key != '\0'; ++key) ClickPiece(*game, c.pad->piece(*key));
  EXPECT_EQ(c.pad->display(*game), c.display);
  EXPECT_EQ(c.pad->number(*game), c.number);
  EXPECT_EQ(game->GetResult(), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    MiniGames, Keypads,
    testing::Values(KeypadCase{&kSafe, "8164e", "__8164", 8164, "win"},
                    KeypadCase{&kSafe, "08164e", "__8164", 8164, "win"},
                    KeypadCase{&kSafe, "0", "_____0", 0, "wait"},
                    KeypadCase{&kSafe, "1234567", "123456", 123456, "wait"},
                    KeypadCase{&kSafe, "8165e", "!__8165", 8165, "wait"},
                    KeypadCase{&kSafe, "8165e1", "_81651", 81651, "wait"},
                    KeypadCase{&kSafe, "81655ec8164e", "__8164", 8164, "win"},
                    // The register fills five cells, shows "error" on a sixth key and starts anew.
                    KeypadCase{&kRegister, "", "00000", 0, "wait"},
                    KeypadCase{&kRegister, "07", "00007", 7, "wait"},  // leading zeros do not count
                    KeypadCase{&kRegister, "071234", "71234", 71234, "wait"},
                    KeypadCase{&kRegister, "0712345", "error", 0, "wait"},
                    KeypadCase{&kRegister, "07123456", "00006", 6, "wait"},
                    KeypadCase{&kRegister, "07123456+", "00006", 6, "wait"},  // plus clicks, changes nothing
                    KeypadCase{&kRegister, "27391", "02739", 2739, "wait"},  // locked on the sum: keys take nothing
                    // The phone keeps seven digits, clears on the eighth, wins on its number.
                    KeypadCase{&kPhone, "", "0", 0, "wait"},
                    KeypadCase{&kPhone, "1234567", "1234567", 1234567, "wait"},
                    KeypadCase{&kPhone, "12345678", "1234567", 0, "wait"},  // the field keeps its text
                    KeypadCase{&kPhone, "123456789", "9", 9, "wait"},
                    KeypadCase{&kPhone, "123456789b0", "90", 90, "wait"},
                    KeypadCase{&kPhone, "604281", "604281", 604281, "wait"},
                    KeypadCase{&kPhone, "6042817", "6042817", 6042817, "win"}));

TEST_F(PlayBench, CashRegisterShowsThreesBeforeItStartsAndWinsASecondAfterTheRightSum) {
  MiniGame* till = &Found(Make("cashregister"));
  EXPECT_EQ(RegisterDisplay(*till), "33333") << "before the first start";
  Play(till);
  Type(*till, "", "27391");
  ExpectWonAfter(*till, 0.8f, 0.2f);  // locked for a second first
  EXPECT_EQ(Stored("cashregister"), "win");
}

// Documents show their words from the text table and share their result under "text".
TEST_F(PlayBench, DocumentsOfOneStageShareTheirResultUnderText) {
  MiniGame* letter = &Found(Make("letter"));
  MiniGame* journal = &Found(Make("journal"));
  EXPECT_EQ(letter->GetName(), "text");
  EXPECT_EQ(Found(letter->FindChild("text_0")).GetValue("text_id"), "lawyer_letter");
  EXPECT_NE(TextOf(*letter, "text_0").find("notary"), std::string::npos);
  EXPECT_FALSE(journal->IsSolved());
  Play(letter);
  EXPECT_FALSE(host.exit_shown) << "a document offers no skip";
  ClickPiece(*letter, "page");
  EXPECT_EQ(letter->GetResult(), "wait") << "reading the page does not close it";
  ClickBeside(*letter);
  EXPECT_EQ(letter->GetResult(), "close");
  EXPECT_TRUE(letter->IsSolved());
  EXPECT_EQ(Stored("text"), "close");
  MiniGame* papers = &Found(Make("papers"));
  EXPECT_TRUE(papers->IsSolved()) << "read back under the shared name";
  // A win is kept as "close"; any other word as it is.
  Play(journal);
  journal->Finish("win");
  EXPECT_EQ(Stored("text"), "close");
  journal->Finish("later");
  EXPECT_FALSE(journal->IsSolved());
}

TEST_F(PlayBench, NotebookInkFadesInAndAnEarlyClickLeavesItUnread) {
  auto* notebook = Start<MiniGameNotebook>("notebook_chief");
  RunFor(1.5f);
  EXPECT_GT(notebook->GetInkColor().w, 0.0f);
  EXPECT_LT(notebook->GetInkColor().w, 1.0f);
  ClickBeside(*notebook);
  EXPECT_EQ(notebook->GetResult(), "");
  EXPECT_FALSE(notebook->IsSolved());
  PlayOut(notebook);
  Play(notebook);
  RunFor(2.0f);
  EXPECT_EQ(notebook->GetInkColor().w, 1.0f);
  EXPECT_EQ(Found(notebook->FindChild("inking")).GetVisual().GetColor().w, 1.0f);
  ClickBeside(*notebook);
  EXPECT_EQ(notebook->GetResult(), "close");
  EXPECT_TRUE(notebook->IsSolved()) << "read to the end, as a document";
  // The ink stays: an early click after a new start still counts as read.
  PlayOut(notebook);
  Play(notebook);
  ClickBeside(*notebook);
  EXPECT_EQ(Stored("notebook_chief"), "close");
}

}  // namespace
