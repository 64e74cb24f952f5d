#include "Sources/minigames/MiniGameDocument.h"

#include "Sources/minigames/MiniGamePieces.h"

MiniGameDocument::MiniGameDocument(const std::string& form, const std::string& text_key, GUIWindow* parent)
    : MiniGame("text", parent) {
  LoadForm(form);
  if (GUIWindow* text = FindPiece(*this, "text_0")) text->SetValue("text_id", text_key);
}

void MiniGameDocument::Start() {
  MiniGame::Start();
  ReleasePanel();
}

void MiniGameDocument::Finish(const std::string& word) { MiniGame::Finish(word == "win" ? "close" : word); }
