#pragma once
// The window in which the hero speaks hints and phrases: it shows the current phrase sequence a
// page at a time. Created on first use. The speech windows themselves (one form a hint type) and
// the page turning come with the panel; until then the current sequence is only held.

#include "source/core/Singleton.h"

class PhraseSequence;

class HintWindow : public Singleton<HintWindow> {
 public:
  // The sequence becomes current and its page is shown.
  void SetSequence(PhraseSequence* sequence);
  // The current sequence, or null while no phrase is shown.
  PhraseSequence* GetSequence() const { return m_sequence; }
  // Shows the current sequence's page, or hides the speech windows without one.
  void ShowText();
  // A sequence that goes away or ends stops being current.
  void Forget(const PhraseSequence* sequence);

 private:
  PhraseSequence* m_sequence = nullptr;  // not owned
};
