// What the diary's pages show of the current profile: pictures and their pieces, the comics
// pages and their paging, the petition and the scheme.

#include <algorithm>

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = "Sources\\adventure\\DiaryWindow";

void ShowWindow(GUIWindow* window, bool shown) {
  if (window != nullptr) window->Show(shown);
}

bool Contains(const std::vector<int32_t>& list, int32_t value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

// Signatures shown ("sign_0" up to the count) and the key of the added text, by petition state.
struct PetitionLook {
  int signatures;
  const char* text_id;
};
constexpr PetitionLook kPetitionLooks[] = {{0, ""},           {2, ""},           {2, "petition_1"}, {2, "petition_2"},
                                           {3, "petition_3"}, {4, "petition_4"}, {0, ""},           {5, "petition_5"}};

}  // namespace

bool DiaryWindow::HasPictureInProgress() const {
  const ProfileProgress* progress = Progress();
  for (int n = 0; progress != nullptr && n < kPictures; ++n) {
    const int32_t total = progress->m_diary_piece_totals[n];
    if (total != 0 && progress->m_diary_piece_counts[n] < total) return true;
  }
  return false;
}

void DiaryWindow::RefreshPictures() {
  const ProfileProgress* progress = Progress();
  if (progress == nullptr) return;
  for (int n = 0; n < kPictures; ++n) {
    const int32_t found = progress->m_diary_piece_counts[n];
    const int32_t total = progress->m_diary_piece_totals[n];
    const bool in_progress = total != 0 && found < total;
    ShowWindow(m_picture_windows[n], !in_progress && Contains(progress->m_diary_pictures, n));
    ShowWindow(m_strokes[n], in_progress);
    ShowWindow(m_stroke_texts[n], in_progress);
    if (in_progress && m_stroke_texts[n] != nullptr) {
      m_stroke_texts[n]->SetValue("text", std::to_string(found) + "/" + std::to_string(total));
    }
  }
}

void DiaryWindow::Reload() {
  ProfileProgress* progress = Progress();
  for (GUIWindow* picture : m_picture_windows) ShowWindow(picture, false);
  if (progress == nullptr) return;
  for (int32_t n : progress->m_diary_pictures) {
    if (n >= 0 && n < kPictures) ShowWindow(m_picture_windows[n], true);
  }
  // Longer lists from a damaged file are cut to the pictures there are.
  progress->m_diary_piece_counts.resize(kPictures, 0);
  progress->m_diary_piece_totals.resize(kPictures, 0);
  const bool pictures = !progress->m_diary_pictures.empty();
  ShowChild("button_picture", pictures);
  ShowChild("picture", pictures);
  ShowChild("button_petition", false);
  ShowChild("button_scheme", false);
}

GUIWindow* DiaryWindow::ComicsWindowOf(int32_t page) {
  if (page >= 0 && static_cast<std::size_t>(page) < m_comics_windows.size()) return m_comics_windows[page];
  if (!m_bad_comics_logged) {
    m_bad_comics_logged = true;
    LogReport(kLogWarning, kSource, __LINE__, "the profile unlocks comics page %d, which the diary does not have", page);
  }
  return nullptr;
}

DelegateArg DiaryWindow::OnComicsButton(DelegateArg sender_argument) {
  const auto* sender = reinterpret_cast<const GUIWindow*>(sender_argument);
  const std::string name = sender != nullptr && sender != this ? sender->GetName() : std::string();
  PlaySound(m_page_sound);
  for (GUIWindow* window : m_comics_windows) window->Show(false);
  for (GUIWindow* text : m_comics_texts) {
    text->SetValue("text", "");
    text->SetValue("text_id", "");  // the same page again must set its caption anew
  }
  const ProfileProgress* progress = Progress();
  const std::vector<int32_t> none;
  const std::vector<int32_t>& comics = progress != nullptr ? progress->m_comics : none;
  const int32_t last = static_cast<int32_t>(comics.size()) - 1;
  // The list may have changed under a kept position (another profile, a damaged file).
  m_comics_position = std::clamp(m_comics_position, std::min(last, 0), std::max(last, -1));
  if (name == "comics_arrow_left") {
    m_comics_position = std::max(m_comics_position - 1, 0);
  } else if (name == "comics_view" && !comics.empty() && m_comics_position >= 0) {
    const int64_t number = static_cast<int64_t>(comics[m_comics_position]) + 1;
    auto found = number <= INT32_MAX ? m_comics_table.find(static_cast<int32_t>(number)) : m_comics_table.end();
    if (m_links.play_comics) m_links.play_comics(found != m_comics_table.end() ? found->second : std::vector<std::string>());
  } else if (name == "comics_arrow_right") {
    m_comics_position = std::min(m_comics_position + 1, last);
  }
  if (!comics.empty() && m_comics_position >= 0) {
    const int32_t page = comics[m_comics_position];
    if (GUIWindow* window = ComicsWindowOf(page)) {
      window->Show(true);
      if (!m_comics_texts.empty()) m_comics_texts[0]->SetValue("text_id", "comics_text_" + std::to_string(page + 1));
    }
  }
  ShowWindow(m_comics_buttons[0], !comics.empty() && m_comics_position > 0);
  // With no page to watch the button would do nothing.
  ShowWindow(m_comics_buttons[1], !comics.empty() && m_comics_position >= 0);
  ShowChild("button_comics_view", !comics.empty() && m_comics_position >= 0);
  ShowWindow(m_comics_buttons[2], !comics.empty() && m_comics_position + 1 < static_cast<int32_t>(comics.size()));
  return 0;
}

void DiaryWindow::RefreshPetitionPage() {
  const ProfileProgress* progress = Progress();
  const int32_t state = progress != nullptr ? progress->m_petition_state : 0;
  ShowChild("petition", state != 0 && state != 6);
  ShowChild("button_petition", state != 0 && state != 6);
  GUIStateWindow* page = m_pages[kPetitionPage];
  for (GUIWindow* child : page->GetChildren()) {
    child->SetValue("text", "");
    child->SetValue("text_id", "");
  }
  for (int i = 0; i < 5; ++i) ShowWindow(page->FindChild("sign_" + std::to_string(i)), false);
  GUIWindow* title = page->FindChild("petition_text_00");
  if (title != nullptr) title->SetValue("text_id", "petition");
  if (GUIWindow* main = page->FindChild("petition_additional_text_00")) main->SetValue("text_id", "petition_main");
  // A state outside 0..7 (a damaged file) shows as the empty petition.
  const PetitionLook& look = state >= 0 && state <= 7 ? kPetitionLooks[state] : kPetitionLooks[0];
  for (int i = 0; i < look.signatures; ++i) ShowWindow(page->FindChild("sign_" + std::to_string(i)), true);
  if (GUIWindow* added = page->FindChild("petition_additional_text_08"); added != nullptr && *look.text_id != 0) {
    added->SetValue("text_id", look.text_id);
  }
  if (state == 7 && title != nullptr) title->SetValue("text_id", "");
}

void DiaryWindow::RefreshSchemePage() {
  GUIStateWindow* page = m_pages[kSchemePage];
  for (int i = 0;; ++i) {
    GUIWindow* text = page->FindChild(TwoDigitName("scheme_text_", i));
    if (text == nullptr) break;
    // The id goes too: set again to the same id, a static keeps the text it was just cleared of,
    // and the page stayed blank from its second refresh on.
    text->SetValue("text_id", "");
    text->SetValue("text", "");
  }
  ShowChild("history03", true);
  ShowChild("button_scheme", true);
  const ProfileProgress* progress = Progress();
  const int32_t state = progress != nullptr ? progress->m_scheme_state : 0;
  GUIWindow* first = page->FindChild("scheme_text_00");
  if ((state == 1 || state == 2) && first != nullptr) {
    first->SetValue("text_id", state == 1 ? "scheme_1" : "scheme_2");
  } else if (state != 1 && state != 2) {
    ShowChild("history03", false);
    ShowChild("button_scheme", false);
  }
}

void DiaryWindow::RefreshHistoryPage() {
  GUIStateWindow* page = m_pages[kHistoryPage];
  const ProfileProgress* progress = Progress();
  // The first chapter before any page, then one for each page reached, up to the last written.
  const std::size_t pages = progress != nullptr ? progress->m_comics.size() : 0;
  const std::size_t chapter = std::min<std::size_t>(pages, kHistoryChapters - 1);
  for (int line = 0;; ++line) {
    GUIWindow* text = page != nullptr ? page->FindChild("line_" + std::to_string(line)) : nullptr;
    if (text == nullptr) break;
    const std::string n = std::to_string(line);
    text->SetValue("text_id", chapter == 0 ? "DIARY_HISTORY_" + n : "DIARY_HISTORY_" + std::to_string(chapter) + "_" + n);
  }
}
