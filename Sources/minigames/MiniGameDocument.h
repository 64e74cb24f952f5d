#pragma once
// A document the player reads and closes (a letter, a journal, papers, a file): one class behind
// several names, each with its form and the text key of the document. Every document window is
// named "text", so the documents of one stage share their stored result. Closing it is what
// counts: it is solved once its result is "close".

#include <string>

#include "Sources/minigames/MiniGame.h"

class MiniGameDocument : public MiniGame {
 public:
  MiniGameDocument(const std::string& form, const std::string& text_key, GUIWindow* parent);

  // Offers no exit or skip button.
  void Start() override;
  // "win" is stored as "close"; other words as they are.
  void Finish(const std::string& word) override;
  bool IsSolved() const override { return m_result == "close"; }
};
