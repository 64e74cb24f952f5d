#pragma once
// The speech window of the game: every spoken line (hints, the hero's remarks, answers to a wrong
// use of an item, the introductions of mini-games) is shown by it, one page (one phrase) at a
// time, in a window whose look and place depend on the phrase's type ("levels\text\hint_types").
// A fresh left click turns the page; after the last page the sequence ends.

#include <map>
#include <string>

#include "source/Resources/cResourcePtr.h"
#include "source/core/Singleton.h"
#include "source/math/Vector.h"
#include "source/sound/cSoundResource.h"

class GUIStateWindow;
class GUIWindow;
class PhraseSequence;
class XmlNode;

// One phrase type of "levels\text\hint_types".
struct HintType {
  float x = 0.0f;
  float y = 0.0f;
  float text_length = 0.0f;
  std::string resource;  // the form of its window
};

class HintWindow : public Singleton<HintWindow> {
 public:
  static constexpr const char* kTypesResource = "levels\\text\\hint_types";
  static constexpr const char* kPageSound = "audio\\game\\menu_pointing";
  static constexpr const char* kContainer = "hint_window";

  // Reads the hint types and builds one window a distinct form under the window "hint_window"
  // (the GUI root without it). Missing data leaves no types: every phrase then has no window.
  HintWindow();
  ~HintWindow() override;

  // The sequence becomes current (the click that showed it does not turn its first page).
  void SetSequence(PhraseSequence* sequence);
  PhraseSequence* GetSequence() const { return m_sequence; }
  // Shows the current sequence's page, or hides the speech windows without one.
  void ShowText();
  // The per-frame page turner.
  void Update();
  // A sequence that goes away stops being current.
  void Forget(const PhraseSequence* sequence);
  // No sequence any more, every speech window hidden (a return to the menu).
  void Reset();

  // Reads the types from a "hint_types" document's root (tests, and the constructor).
  void LoadTypes(const XmlNode& root);
  GUIStateWindow* FindTypeWindow(const std::string& type) const;
  const std::map<std::string, HintType>& GetTypes() const { return m_types; }
  GUIStateWindow* GetVisibleWindow() const { return m_visible; }
  bool IsJustShown() const { return m_just_shown; }

 private:
  // The page turns only when the click reaches the phrase's window along the active chain.
  bool ClickReaches(const GUIWindow* window) const;
  void HideAll();
  GUIWindow* Container() const;

  std::map<std::string, HintType> m_types;
  std::map<std::string, GUIStateWindow*> m_type_windows;      // not owned: the GUI tree's
  std::map<std::string, GUIStateWindow*> m_resource_windows;  // one a form
  GUIStateWindow* m_visible = nullptr;
  PhraseSequence* m_sequence = nullptr;  // not owned
  cResourcePtr<cSoundResource> m_page_sound;
  bool m_just_shown = false;
};
