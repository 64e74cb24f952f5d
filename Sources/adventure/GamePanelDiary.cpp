// The panel's side of the diary: it makes the diary, opens it from the "journal" button, passes
// the diary commands on, lends it the in-game state for comics replays and the location for its
// phrases, and flashes the button while something new waits in the diary.

#include <cmath>

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GamePanel.h"
#include "gui/include/GUIWindow.h"

namespace {

constexpr float kNoticeBlinkSeconds = 0.5f;

}  // namespace

void GamePanel::MakeDiary() {
  m_diary = new DiaryWindow();
  DiaryWindow::Links links;
  links.notice = [this] { SetDiaryNotice(); };
  links.play_comics = [this](const std::vector<std::string>& entries) { PlayComics(entries); };
  links.show_phrase = [this](const std::string& name) { ShowLocationPhrase(name); };
  m_diary->SetLinks(std::move(links));
}

DelegateArg GamePanel::ShowDiaryBook(DelegateArg) {
  HideMaps();  // the big map gives way to the diary
  if (m_diary == nullptr) return 0;
  m_diary->Show();
  m_diary->Activate();
  m_diary->MoveToFront(false);
  m_diary_notice = false;
  if (GUIWindow* journal = Child("journal")) journal->SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
  return 0;
}

void GamePanel::OpenDiaryPage(const std::string& page) {
  if (m_diary != nullptr) m_diary->OpenDiaryPage(page);
}

GUIWindow* GamePanel::FindDiaryCard(const std::string& card) {
  return m_diary != nullptr ? m_diary->FindCard(card) : nullptr;
}

bool GamePanel::IsPictureCard(const std::string& word) const {
  return word.rfind("picture", 0) == 0 && m_diary != nullptr && m_diary->IsPictureComplete(word);
}

void GamePanel::UpdateDiaryNotice(float dt) {
  GUIWindow* journal = m_diary_notice ? Child("journal") : nullptr;
  if (journal == nullptr) return;
  // The button dims and brightens twice a second.
  m_diary_notice_clock = std::fmod(m_diary_notice_clock + dt, 2.0f * kNoticeBlinkSeconds);
  const float phase = m_diary_notice_clock / kNoticeBlinkSeconds;
  const float brightness = phase < 1.0f ? 1.0f - 0.5f * phase : 0.5f + 0.5f * (phase - 1.0f);
  journal->SetColor(Vector4(brightness, brightness, brightness, 1.0f));
}
