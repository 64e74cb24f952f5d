#include "Sources/adventure/HintWindow.h"

void HintWindow::SetSequence(PhraseSequence* sequence) {
  m_sequence = sequence;
  ShowText();
}

void HintWindow::ShowText() {}

void HintWindow::Forget(const PhraseSequence* sequence) {
  if (m_sequence != sequence) return;
  m_sequence = nullptr;
  ShowText();
}
