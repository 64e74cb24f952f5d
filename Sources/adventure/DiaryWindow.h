#pragma once
// The player's diary: a modal book of five pages (the comics of the story so far, picture
// puzzles filled piece by piece, the petition, the scheme and the goals). It keeps no progress of
// its own: it shows what the current profile holds, and the diary commands of the location
// scripts write into the profile and refresh the pages. Made once by the game panel.

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/include/GUIStateWindow.h"
#include "source/Resources/cResourcePtr.h"
#include "source/particle/cParticleResource.h"
#include "source/sound/cSoundResource.h"

class ParticleEffectHandle;
class WindowEffectOwner;
class XmlNode;
struct ProfileProgress;

// Comics page number -> the comics resources it replays, in order.
using JournalComics = std::map<int32_t, std::vector<std::string>>;

// Reads the diary's comics file: each child element of the root is a page; its "name" without the
// first nine characters is the page number, each "comics" attribute one resource. A later entry
// replaces an earlier one of the same number; an entry whose number does not read is skipped.
JournalComics ReadJournalComics(const XmlNode& root);

// A whole decimal number (an optional sign, then digits only, within 32 bits); empty reads 0.
std::optional<int32_t> ReadDiaryNumber(const std::string& text);

class DiaryWindow : public GUIStateWindow {
 public:
  static constexpr const char* kForm = "gui\\diary\\diary_back";
  static constexpr const char* kComicsResource = "game_data\\journal_comics";
  static constexpr const char* kSuccessSound = "audio\\game\\success2";
  static constexpr const char* kPageSound = "audio\\game\\paper02";
  static constexpr const char* kCardEffect = "particle systems\\appear_card";
  static constexpr int kPictures = 15;
  static constexpr int kDiaryTip = 5;
  static constexpr float kFadeSeconds = 1.0f;
  // Picture number n is drawn by the picture page's windows with this number in their names.
  static constexpr std::array<int, kPictures> kPictureWindowNumbers = {0, 11, 4, 2, 5, 13, 1, 9,
                                                                       10, 8, 3, 12, 6, 14, 7};
  // The pages, in the order they are made: window name and form.
  static constexpr std::array<std::array<const char*, 2>, 5> kPages = {{{"petition", "gui\\diary\\diary_petition"},
                                                                        {"picture", "gui\\diary\\diary_picture"},
                                                                        {"scheme", "gui\\diary\\diary_scheme"},
                                                                        {"history", "gui\\diary\\diary_history"},
                                                                        {"goals", "gui\\diary\\diary_goals"}}};
  static constexpr const char* kComicsForm = "gui\\diary\\diary_comics";
  enum Page : int { kPetitionPage = 0, kPicturePage, kSchemePage, kHistoryPage, kGoalsPage };
  // The story so far is written in chapters: "DIARY_HISTORY_N" before any comics page, then
  // "DIARY_HISTORY_<pages>_N".
  static constexpr std::size_t kHistoryChapters = 4;

  // What the diary asks of the game around it (the panel fills these; each may be empty).
  struct Links {
    std::function<void()> notice;                                     // flash the diary button
    std::function<void(const std::vector<std::string>&)> play_comics;  // replay a comics page
    std::function<void(const std::string&)> show_phrase;              // a phrase of the location
  };

  DiaryWindow();
  ~DiaryWindow() override;

  bool Update() override;
  bool HandleMouse(const Vector2& point, bool button_down) override;
  void Show() override;
  // Nothing while a completed picture's card effect still runs.
  void Hide() override;
  using GUIStateWindow::Show;
  // Closes the diary whatever runs in it (the game leaves play or hides the panel): the card
  // effect and the fade end at once.
  void Close();

  // A diary command of a location script, or a card that landed on the diary button.
  void OpenDiaryPage(const std::string& command);
  // "picture_<n>": whether picture n is complete.
  bool IsPictureComplete(const std::string& name) const;
  // Pictures and tab buttons in line with the current profile (a new or loaded game).
  void Reload();
  // The diary's card window "card1".."card3", or null.
  GUIWindow* FindCard(const std::string& name) const;
  void SetLinks(Links links) { m_links = std::move(links); }

  DelegateArg OnPetitionTab(DelegateArg sender = 0);
  DelegateArg OnPictureTab(DelegateArg sender = 0);
  DelegateArg OnSchemeTab(DelegateArg sender = 0);
  DelegateArg OnHistoryTab(DelegateArg sender = 0);
  DelegateArg OnGoalsTab(DelegateArg sender = 0);
  DelegateArg OnComicsButton(DelegateArg sender);

  void RefreshPictures();
  void RefreshPetitionPage();
  void RefreshSchemePage();
  // The story so far: its lines follow the comics pages the player has reached.
  void RefreshHistoryPage();

  // ---- read by the panel and by tests --------------------------------------------------------
  bool IsBusy() const { return m_effect != nullptr || m_fading != nullptr; }
  bool IsEffectRunning() const { return m_effect != nullptr; }
  GUIStateWindow* GetPage(int page) const { return m_pages[page]; }
  GUIStateWindow* GetComicsPage() const { return m_comics_page; }
  GUIWindow* GetPictureWindow(int n) const { return m_picture_windows[n]; }
  GUIWindow* GetStrokeText(int n) const { return m_stroke_texts[n]; }
  const std::vector<GUIWindow*>& GetComicsWindows() const { return m_comics_windows; }
  const JournalComics& GetComicsTable() const { return m_comics_table; }
  int32_t GetComicsPosition() const { return m_comics_position; }
  GUIWindow* GetFadingPicture() const { return m_fading; }

 private:
  void BuildPages();
  void FindPageWindows();
  // Every tab: the comics page hidden, the tabs enabled, only `page` shown, the page sound.
  void OpenTab(int page, bool sound);
  void AddPicturePiece(int32_t number, int32_t total);
  void CompletePicture(int number);
  void AddComicsPage(const std::string& tail);
  void UpdateEffect();
  void UpdateFade(float dt);
  void ShowChild(const char* name, bool shown);
  void PlaySound(const cResourcePtr<cSoundResource>& sound);
  // The comics window of an unlocked page index; null (logged once) for one the diary lacks.
  GUIWindow* ComicsWindowOf(int32_t page);
  bool HasPictureInProgress() const;
  void NotifyNotice();
  // The prefix and the number, two digits at least ("comics_text_00", .., "comics_text_10").
  static std::string TwoDigitName(const char* prefix, int i);
  // The current profile's progress with the piece lists at least as long as the pictures; null
  // without a profile.
  static ProfileProgress* Progress();

  Links m_links;
  JournalComics m_comics_table;
  cResourcePtr<cSoundResource> m_success_sound;
  cResourcePtr<cSoundResource> m_page_sound;
  cResourcePtr<cParticleResource> m_card_effect;
  std::array<GUIStateWindow*, 5> m_pages{};  // children: the tree owns them
  GUIStateWindow* m_comics_page = nullptr;
  std::array<GUIWindow*, 5> m_tabs{};  // in page order: "petition", "picture", "history03", "history", "goals"
  std::array<GUIWindow*, 3> m_comics_buttons{};  // left, view, right
  std::vector<GUIWindow*> m_comics_windows;
  std::vector<GUIWindow*> m_comics_texts;
  std::array<GUIWindow*, kPictures> m_picture_windows{};
  std::array<GUIWindow*, kPictures> m_strokes{};
  std::array<GUIWindow*, kPictures> m_stroke_texts{};
  std::unique_ptr<WindowEffectOwner> m_effect_owner;
  std::unique_ptr<ParticleEffectHandle> m_effect;
  GUIWindow* m_fading = nullptr;  // a picture window
  float m_fade_time = 0.0f;
  int32_t m_comics_position = 0;
  bool m_picture_hint_pending = false;
  bool m_bad_comics_logged = false;
  bool m_mouse_regained = false;
};
