// The keypad and reading games played on the bench through input alone: the safe, the cash
// register, the telephone, the documents and the notebook, each with the game's own form.

#include <gtest/gtest.h>

#include "Sources/minigames/MiniGameCashRegister.h"
#include "Sources/minigames/MiniGameNotebook.h"
#include "Sources/minigames/MiniGamePhone.h"
#include "Sources/minigames/MiniGameSafe.h"
#include "tests/Sources/minigames/PlayBench.h"

namespace {

struct SafeCase {
  const char* keys;     // digits typed, "e" enter, "c" clear
  int32_t number;
  const char* display;  // cells 5 .. 0, "_" for an empty cell
  const char* result;
};

class Safe : public PlayBench, public testing::WithParamInterface<SafeCase> {};

TEST_P(Safe, KeysShowOnTheDisplayAndTheCombinationOpensIt) {
  const SafeCase& c = GetParam();
  auto* safe = static_cast<MiniGameSafe*>(Make("safe"));
  Play(safe);
  for (const char* key = c.keys; *key != '\0'; ++key) {
    ClickPiece(*safe, *key == 'e' ? "safe_enter" : *key == 'c' ? "safe_c" : std::string("safe_") + *key);
  }
  EXPECT_EQ(safe->GetNumber(), c.number);
  std::string display;
  for (int cell = 5; cell >= 0; --cell) {
    const std::string text = TextOf(*safe, "safe_display_" + std::to_string(cell));
    display += text.empty() ? "_" : text;
  }
  EXPECT_EQ(display, c.display);
  EXPECT_EQ(safe->GetResult(), c.result);
}

INSTANTIATE_TEST_SUITE_P(MiniGames, Safe,
                         testing::Values(SafeCase{"8164e", 8164, "__8164", "win"},
                                         SafeCase{"08164e", 8164, "__8164", "win"},
                                         SafeCase{"0", 0, "_____0", "wait"},
                                         SafeCase{"1234567", 123456, "123456", "wait"},
                                         SafeCase{"8165e", 8165, "__8165", "wait"},
                                         SafeCase{"81655ec8164e", 8164, "__8164", "win"}));

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

TEST_F(PlayBench, CashRegisterFillsItsCellsAndShowsErrorOnTheSixthKey) {
  auto* till = static_cast<MiniGameCashRegister*>(Make("cashregister"));
  EXPECT_EQ(RegisterDisplay(*till), "33333") << "before the first start";
  Play(till);
  EXPECT_EQ(RegisterDisplay(*till), "00000");
  Type(*till, "", "07");
  EXPECT_EQ(RegisterDisplay(*till), "00007") << "leading zeros do not count";
  Type(*till, "", "1234");
  EXPECT_EQ(RegisterDisplay(*till), "71234");
  Type(*till, "", "5");
  EXPECT_EQ(RegisterDisplay(*till), "error");
  EXPECT_EQ(till->GetValue(), 0);
  Type(*till, "", "6");
  EXPECT_EQ(RegisterDisplay(*till), "00006");
  ClickPiece(*till, "plus");  // clicks, changes nothing
  EXPECT_EQ(till->GetValue(), 6);
}

TEST_F(PlayBench, CashRegisterLocksForASecondOnTheRightSumThenWins) {
  auto* till = static_cast<MiniGameCashRegister*>(Make("cashregister"));
  Play(till);
  Type(*till, "", "2739");
  EXPECT_EQ(till->GetResult(), "wait");
  Type(*till, "", "1");
  EXPECT_EQ(till->GetValue(), 2739) << "locked keys take nothing";
  RunFor(0.8f);
  EXPECT_EQ(till->GetResult(), "wait") << "still locked";
  RunFor(0.2f);
  EXPECT_EQ(till->GetResult(), "win");
  EXPECT_EQ(Stored("cashregister"), "win");
}

TEST_F(PlayBench, PhoneKeepsSevenDigitsClearsOnTheEighthAndWinsOnTheNumber) {
  auto* phone = static_cast<MiniGamePhone*>(Make("phone"));
  Play(phone);
  EXPECT_EQ(TextOf(*phone, "input_field"), "0");
  Type(*phone, "", "1234567");
  EXPECT_EQ(TextOf(*phone, "input_field"), "1234567");
  Type(*phone, "", "8");
  EXPECT_EQ(phone->GetNumber(), 0);
  EXPECT_EQ(TextOf(*phone, "input_field"), "1234567") << "the field keeps its text";
  Type(*phone, "", "9");
  EXPECT_EQ(TextOf(*phone, "input_field"), "9");
  ClickPiece(*phone, "phone_body");
  Type(*phone, "", "0");
  EXPECT_EQ(phone->GetNumber(), 90);
  // Starting again, the number completes on its seventh digit.
  Destroy(phone);
  phone = static_cast<MiniGamePhone*>(Make("phone"));
  Play(phone);
  Type(*phone, "", "604281");
  EXPECT_EQ(phone->GetResult(), "wait");
  Type(*phone, "", "7");
  EXPECT_EQ(phone->GetResult(), "win");
}

TEST_F(PlayBench, DocumentsOfOneStageShareTheirResultUnderText) {
  MiniGame* letter = Make("letter");
  MiniGame* journal = Make("journal");
  EXPECT_EQ(letter->GetName(), "text");
  EXPECT_FALSE(journal->IsSolved());
  Play(letter);
  EXPECT_FALSE(host.exit_shown) << "a document offers no skip";
  ClickPiece(*letter, "page");
  EXPECT_EQ(letter->GetResult(), "wait") << "reading the page does not close it";
  ClickBeside(*letter);
  EXPECT_EQ(letter->GetResult(), "close");
  EXPECT_TRUE(letter->IsSolved());
  EXPECT_EQ(Stored("text"), "close");
  MiniGame* papers = Make("papers");
  EXPECT_TRUE(papers->IsSolved()) << "read back under the shared name";
  // A win is kept as "close"; any other word as it is.
  Play(journal);
  journal->Finish("win");
  EXPECT_EQ(Stored("text"), "close");
  journal->Finish("later");
  EXPECT_FALSE(journal->IsSolved());
}

TEST_F(PlayBench, TheDocumentsTextComesFromTheTextTable) {
  MiniGame* letter = Make("letter");
  EXPECT_EQ(letter->FindChild("text_0")->GetValue("text_id"), "lawyer_letter");
  EXPECT_NE(TextOf(*letter, "text_0").find("notary"), std::string::npos);
}

TEST_F(PlayBench, NotebookInkFadesInAndAnEarlyClickLeavesItUnread) {
  auto* notebook = static_cast<MiniGameNotebook*>(Make("notebook_chief"));
  Play(notebook);
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
  EXPECT_EQ(notebook->FindChild("inking")->GetVisual().GetColor().w, 1.0f);
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
