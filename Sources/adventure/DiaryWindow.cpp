#include "Sources/adventure/DiaryWindow.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "Sources/adventure/NamedChild.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUIWidgetSupport.h"
#include "gui/include/WindowEffectOwner.h"
#include "source/Resources/cXmlResource.h"
#include "source/log/cLog.h"
#include "source/particle/ParticleEffectHandle.h"
#include "source/sound/cSoundPlayer.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr const char* kSource = "Sources\\adventure\\DiaryWindow";
constexpr const char* kTabNames[] = {"petition", "picture", "history03", "history", "goals"};
constexpr const char* kComicsButtonNames[] = {"comics_arrow_left", "comics_view", "comics_arrow_right"};

}  // namespace

DiaryWindow::DiaryWindow() : GUIStateWindow("diary", nullptr) {
  if (!SetFormByName(kForm)) LogReport(kLogError, kSource, __LINE__, "the diary's form %s is missing", kForm);
  SetState(kHidden);
  {
    cResourcePtr<cXmlResource> comics;
    if (comics.Assign(kComicsResource)) {
      m_comics_table = ReadJournalComics(comics->GetRoot());
    } else {
      LogReport(kLogWarning, kSource, __LINE__, "%s is missing: the diary replays no comics", kComicsResource);
    }
  }
  m_card_effect.Assign(kCardEffect);
  for (int i = 0; i < 3; ++i) {
    m_comics_buttons[i] = FindNamedChild(this, kComicsButtonNames[i]);
    if (m_comics_buttons[i] == nullptr) continue;
    m_comics_buttons[i]->Show(false);
    m_comics_buttons[i]->SetEvent("on_click", MakeMemberDelegate(this, &DiaryWindow::OnComicsButton));
  }
  BuildPages();
  FindPageWindows();
  m_success_sound.Assign(kSuccessSound);
  m_page_sound.Assign(kPageSound);
}

DiaryWindow::~DiaryWindow() {
  m_effect.reset();  // before the windows it draws with
  m_effect_owner.reset();
}

void DiaryWindow::BuildPages() {
  m_comics_page = new GUIStateWindow("comics", this);
  if (!m_comics_page->SetFormByName(kComicsForm)) {
    LogReport(kLogError, kSource, __LINE__, "the diary's form %s is missing", kComicsForm);
  }
  m_comics_page->SetState(kHidden);
  for (int i = 1;; ++i) {
    GUIWindow* window = m_comics_page->FindChild("comics_" + std::to_string(i));
    if (window == nullptr) break;
    window->Show(false);
    m_comics_windows.push_back(window);
  }
  m_comics_position = 0;
  for (std::size_t i = 0; i < kPages.size(); ++i) {
    m_pages[i] = new GUIStateWindow(kPages[i][0], this);
    if (!m_pages[i]->SetFormByName(kPages[i][1])) {
      LogReport(kLogError, kSource, __LINE__, "the diary's form %s is missing", kPages[i][1]);
    }
    m_pages[i]->SetState(kHidden);
  }
  using Handler = DelegateArg (DiaryWindow::*)(DelegateArg);
  const Handler handlers[] = {&DiaryWindow::OnPetitionTab, &DiaryWindow::OnPictureTab, &DiaryWindow::OnSchemeTab,
                              &DiaryWindow::OnHistoryTab, &DiaryWindow::OnGoalsTab};
  for (std::size_t i = 0; i < m_tabs.size(); ++i) {
    m_tabs[i] = FindNamedChild(this, kTabNames[i]);
    if (m_tabs[i] != nullptr) m_tabs[i]->SetEvent("on_click", MakeMemberDelegate(this, handlers[i]));
  }
  for (const char* name : {"goals", "petition", "picture", "history03", "button_picture", "button_petition",
                           "button_scheme"}) {
    ShowChild(name, false);
  }
  for (int page : {kPetitionPage, kPicturePage, kSchemePage, kHistoryPage}) m_pages[page]->GUIStateWindow::Hide();
  for (const char* name : {"button_history", "button_picture", "button_petition", "button_scheme"}) {
    if (GUIWindow* button = FindNamedChild(this, name)) button->MoveToFront(false);
  }
}

void DiaryWindow::FindPageWindows() {
  for (int i = 0;; ++i) {
    GUIWindow* text = m_comics_page->FindChild(TwoDigitName("comics_text_", i));
    if (text == nullptr) break;
    m_comics_texts.push_back(text);
  }
  GUIStateWindow* pictures = m_pages[kPicturePage];
  for (int n = 0; n < kPictures; ++n) {
    const std::string number = std::to_string(kPictureWindowNumbers[n]);
    m_picture_windows[n] = FindNamedChild(pictures, "picture_" + number);
    m_strokes[n] = FindNamedChild(pictures, "picture_stroke_" + number);
    m_stroke_texts[n] = FindNamedChild(pictures, "picture_stroke_text_" + number);
  }
  m_fading = nullptr;
}

std::string DiaryWindow::TwoDigitName(const char* prefix, int i) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", i);
  return prefix + std::string(digits);
}

void DiaryWindow::Show() {
  const ProfileProgress* progress = Progress();
  m_comics_position = progress != nullptr ? static_cast<int32_t>(progress->m_comics.size()) - 1 : -1;
  SetActiveChild(this, this);
  OnHistoryTab();
  GUIStateWindow::Show();
  RefreshPictures();
  const bool pictures = progress != nullptr && (!progress->m_diary_pictures.empty() || HasPictureInProgress());
  ShowChild("picture", pictures);
  ShowChild("button_picture", pictures);
  RefreshPetitionPage();
  RefreshSchemePage();
  RefreshHistoryPage();
}

void DiaryWindow::Hide() {
  if (m_effect != nullptr) return;  // the card of a completed picture is still appearing
  if (GetActiveChild() != nullptr) {
    SetActiveChild(this, nullptr);
    if (GetParent() != nullptr) SetActiveChild(GetParent(), nullptr);
  }
  GUIStateWindow::Hide();
  m_picture_hint_pending = false;
}

void DiaryWindow::Close() {
  m_effect.reset();
  if (m_fading != nullptr) m_fading->SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
  m_fading = nullptr;
  if (IsOpen() || GetActiveChild() != nullptr) Hide();
}

bool DiaryWindow::HandleMouse(const Vector2& point, bool button_down) {
  if (IsVisible() && GetState() == kWorking) GUIWindow::HandleMouse(point, button_down);
  if (!IsVisible()) return false;
  GUIWindow* book = FindChild("history_back");
  const bool over_book = book != nullptr && book->IsHover();
  const bool regained = std::exchange(m_mouse_regained, false);
  if (!over_book && !regained && IsLeftButtonFreshPress()) {
    Hide();
    return true;
  }
  return true;
}

bool DiaryWindow::Update() {
  if (!IsVisible()) return false;
  // A speech window shown over the open diary holds the mouse while it speaks; then the diary
  // takes it back, or the scene and the panel beneath would get the clicks.
  if (m_open && GetParent() != nullptr && GetParent()->GetActiveChild() == nullptr) {
    SetActiveChild(this, this);
    m_mouse_regained = true;  // the click that ended the speech does not close the diary too
  }
  if (ProfileProgress* progress = Progress(); progress != nullptr && progress->m_tips[kDiaryTip] != 0) {
    progress->m_tips[kDiaryTip] = 0;
    if (m_links.show_phrase) m_links.show_phrase("diary_hint");
  }
  UpdateEffect();
  const cTimerManager* timers = cTimerManager::PeekInstance();
  UpdateFade(timers != nullptr ? timers->GetFrameDelta() : 0.0f);
  return GUIStateWindow::Update();
}

void DiaryWindow::UpdateEffect() {
  if (m_effect == nullptr || !m_effect->IsFinished()) return;
  m_effect.reset();
  if (m_picture_hint_pending) {
    m_picture_hint_pending = false;
    if (m_links.show_phrase) m_links.show_phrase("picture_hint");
  }
}

void DiaryWindow::UpdateFade(float dt) {
  if (m_fading == nullptr) return;
  m_fade_time -= dt;
  const float alpha = std::clamp(1.0f - m_fade_time, 0.0f, 1.0f);
  m_fading->SetColor(Vector4(1.0f, 1.0f, 1.0f, alpha));
  if (m_fade_time < 0.0f) m_fading = nullptr;
}

// ---- tabs ---------------------------------------------------------------------------------------

void DiaryWindow::OpenTab(int page, bool sound) {
  m_comics_page->GUIStateWindow::Hide();
  for (GUIWindow* tab : m_tabs) {
    if (tab != nullptr) tab->SetEnabled(true);
  }
  for (int i = 0; i < static_cast<int>(m_pages.size()); ++i) {
    if (i != page) m_pages[i]->GUIStateWindow::Hide();
  }
  m_pages[page]->GUIStateWindow::Show();
  // The comics buttons belong to the history page: its tab shows them again.
  for (GUIWindow* button : m_comics_buttons) {
    if (button != nullptr) button->Show(false);
  }
  ShowChild("button_comics_view", false);
  if (sound) PlaySound(m_page_sound);
}

DelegateArg DiaryWindow::OnPetitionTab(DelegateArg) {
  OpenTab(kPetitionPage, true);
  return 0;
}

DelegateArg DiaryWindow::OnPictureTab(DelegateArg) {
  OpenTab(kPicturePage, true);
  RefreshPictures();
  return 0;
}

DelegateArg DiaryWindow::OnSchemeTab(DelegateArg) {
  OpenTab(kSchemePage, true);
  return 0;
}

DelegateArg DiaryWindow::OnGoalsTab(DelegateArg) {
  OpenTab(kGoalsPage, true);
  m_pages[kGoalsPage]->MoveToFront(false);
  return 0;
}

DelegateArg DiaryWindow::OnHistoryTab(DelegateArg) {
  OpenTab(kHistoryPage, false);
  m_comics_page->GUIStateWindow::Show();
  OnComicsButton(reinterpret_cast<DelegateArg>(this));
  return 0;
}

void DiaryWindow::ShowChild(const char* name, bool shown) {
  if (GUIWindow* child = FindNamedChild(this, name)) child->Show(shown);
}

void DiaryWindow::PlaySound(const cResourcePtr<cSoundResource>& sound) {
  if (sound) cSoundPlayer::GetInstance()->Play(sound, false);
}

GUIWindow* DiaryWindow::FindCard(const std::string& name) const { return FindChild(name); }

void DiaryWindow::NotifyNotice() {
  if (m_links.notice) m_links.notice();
}

ProfileProgress* DiaryWindow::Progress() {
  if (CurrentProfile == nullptr) return nullptr;
  ProfileProgress& progress = CurrentProfile->m_progress;
  // A profile from an older or damaged file may hold shorter lists than there are pictures.
  if (progress.m_diary_piece_counts.size() < kPictures) progress.m_diary_piece_counts.resize(kPictures, 0);
  if (progress.m_diary_piece_totals.size() < kPictures) progress.m_diary_piece_totals.resize(kPictures, 0);
  return &progress;
}
