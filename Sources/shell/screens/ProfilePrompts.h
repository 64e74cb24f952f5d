#pragma once
// The questions the main menu and the profile screen share: the exit question, and the prompt
// for a first profile that only quitting can refuse (its Cancel asks whether to exit, and "no"
// asks for the name again).

#include "source/core/Delegate.h"

// "yes" quits the game; "no" invokes `on_no` (none: nothing).
void AskExitQuestion(const DelegatePtr& on_no);
// The name entry for a new profile; `on_accept` gets the dialog. Cancel asks the exit question,
// whose "no" prompts again with the same handler.
void ShowFirstProfilePrompt(const DelegatePtr& on_accept);
