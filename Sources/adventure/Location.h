#pragma once
// A location: one painted place of the adventure. Its scene's models become its objects, its
// "cnf" script (named like the scene, "levels\<folder>\<name>") is stepped once a frame, and it
// owns the close-ups (sub-locations, locations themselves), mini-games and phrase sequences that
// the script names. Every frame it also searches its script for what a hint would point at.
// Its state lives in the current profile's location records between visits.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Sources/adventure/LocationCharacter.h"
#include "Sources/adventure/LocationResource.h"
#include "Sources/adventure/PhraseDatabase.h"
#include "source/Resources/cResourcePtr.h"
#include "source/math/Vector.h"
#include "source/scene/cSceneResource.h"
#include "source/sound/cSoundResource.h"

class GUIWindow;
class Location;
class MiniGame;
class PhraseSequence;
class RenderObject;
struct LocationRecord;

// What a hint may point at: an object, the item to use there (or empty), where it is and the
// location searched.
struct HintTarget {
  std::string object;
  std::string second;
  Vector3 position;
  Location* location = nullptr;
};

// The hint search's four lists, in the order a hint takes them: objects that give items; objects
// where something changes or an item is to be used; close-ups with something left to do; objects
// that start an unsolved mini-game.
struct HintLists {
  std::array<std::vector<HintTarget>, 4> lists;

  void Clear();
  bool IsEmpty() const;
  // The first target of the first list that has one, or null.
  const HintTarget* First() const;
};

class Location {
 public:
  // Builds the location and its close-ups, loads it and restores it from its record of the
  // current profile when there is one. A top-level location hangs its window under "game_logic".
  Location(Location* parent, const std::string& name, const std::string& folder);
  // Deletes its close-ups, mini-games, phrase sequences, objects and windows.
  virtual ~Location();
  Location(const Location&) = delete;
  Location& operator=(const Location&) = delete;

  // ---- one frame -----------------------------------------------------------------------------
  // The objects, the shown close-up, the phrase and mini-game in progress, the tooltip, the hint
  // search, the cursor, one step of the script, and the click beside a close-up that closes it.
  void Update(float dt);

  // ---- saved state ---------------------------------------------------------------------------
  // Writes this location's record (found by name and folder, or added) and its close-ups'.
  void SaveState();
  void RestoreState(const LocationRecord& record);

  // ---- the script ----------------------------------------------------------------------------
  // Steps `node` with `value`; true when the step stopped (a node waits, or a branch ended).
  bool ExecuteNode(CommandNode* node, std::string value);
  // The value of a node that waits, polled every frame.
  std::string CheckWaitCondition(CommandNode& node);
  // The value of a "click" node: the name of the clicked object it takes, or empty.
  std::string CheckClick(CommandNode& node);
  // Runs the children of the script's "onload" nodes (a close-up, when its parent loads), on a
  // first visit only.
  void RunOnLoad();
  // Leaves this location: the script back at its start, the location hidden.
  void EndLocation();
  // Shows or hides a location with its objects; a shown location waits ("wait") until hidden.
  static void SetActive(Location& location, bool shown, bool modal);

  // ---- hints ---------------------------------------------------------------------------------
  // Walks the script as it would run and fills the four lists afresh.
  void SearchHints(HintLists& lists);
  // What a hint asked for now points at: the shown close-up's search, else this one's; the first
  // target of the first list that has one. Without any, "service_no_hint" is shown and false.
  bool FindHint(HintTarget& target);
  // This frame's lists.
  const HintLists& GetHintLists() const { return m_hints; }

  // ---- lookups -------------------------------------------------------------------------------
  LocationCharacter* FindObject(const std::string& name) const;
  LocationCharacter* FindScriptObject(const std::string& name) const;
  Location* FindSubLocation(const std::string& name) const;
  MiniGame* FindMiniGame(const std::string& name) const;
  PhraseSequence* FindPhraseSequence(const std::string& key) const;
  // The model of the object of that name in the innermost shown close-up (from here down), or null.
  RenderObject* FindObjectModel(const std::string& name) const;
  // In the innermost shown close-up, the object of that name is drawn, shown and opaque at once.
  void RevealObject(const std::string& name);
  // Shows the phrase sequence of that key, when the location has it.
  void ShowPhrase(const std::string& key);

  const std::string& GetName() const { return m_name; }
  const std::string& GetFolder() const { return m_folder; }
  Location* GetParent() const { return m_parent; }
  CommandNode* GetRoot() const { return m_root; }
  CommandNode* GetCurrentNode() const { return m_current; }
  const std::string& GetPendingValue() const { return m_pending; }
  // "wait" while shown, empty once hidden.
  const std::string& GetStatus() const { return m_status; }
  bool IsShown() const { return m_shown; }
  bool IsModal() const { return m_modal; }
  bool HasFocus() const { return m_focus; }
  bool IsFirstVisit() const { return m_first_visit; }
  bool IsLoaded() const { return m_loaded; }
  // Where the game goes when this location has ended (a stage named by "_name"), or empty.
  const std::string& GetNextLocationName() const { return m_next_location; }
  const std::string& GetLastClickedObject() const { return m_last_clicked; }
  Location* GetShownSubLocation() const { return m_shown_sub; }
  MiniGame* GetRunningMiniGame() const { return m_game; }
  // The name the script started the running mini-game by (several share a kind); empty when none runs.
  std::string GetRunningMiniGameName() const;
  PhraseSequence* GetRunningPhrase() const { return m_phrase; }
  // True while this location or a close-up shown in it runs a phrase, or the speech window holds
  // one: the window then wants its per-frame step, or its pages would never turn.
  bool IsHintWindowInUse() const;
  GUIWindow* GetWindow() const { return m_window; }
  GUIWindow* GetTooltip() const { return m_tooltip; }
  const std::vector<std::unique_ptr<LocationCharacter>>& GetObjects() const { return m_objects; }
  const std::vector<LocationCharacter*>& GetScriptObjects() const { return m_script_objects; }
  const std::map<std::string, std::unique_ptr<Location>>& GetSubLocations() const { return m_sub_locations; }

  static constexpr const char* kLevelsFolder = "levels\\";
  static constexpr const char* kClickSound = "audio\\game\\click";

 private:
  friend struct LocationActions;
  friend struct LocationActionTable;
  friend class LocationHintSearch;

  void CreateWindows();
  void Load();
  void LoadObjects();
  void LoadScriptParts();
  void LoadSubLocations();
  bool IsAncestorName(const std::string& name) const;
  void UpdateShownParts(float dt);
  void ShowTooltip();
  void ChooseCursor();
  void FinishStep();
  void CloseIfClickedBeside(bool alone);
  void PlayClickSound();
  bool IsOverFirstModel() const;
  // Walks a path ("a.b.name", "parent.name") to the location that holds its last segment; null
  // (logged with `report`) when a segment names no location.
  Location* WalkPath(const std::string& path, std::string& last, bool report = true) const;
  CommandNode* FindNode(uint32_t id) const;
  bool IsWaitingNode(const CommandNode& node) const;

  bool m_first_visit = true;
  PhraseSequence* m_phrase = nullptr;   // the running phrase sequence, from a map here
  Location* m_shown_sub = nullptr;      // the shown close-up
  MiniGame* m_game = nullptr;           // the running mini-game
  bool m_focus = true;
  GUIWindow* m_window = nullptr;        // owned
  GUIWindow* m_tooltip = nullptr;       // a child of m_window
  HintLists m_hints;
  bool m_loaded = false;
  bool m_in_onload = false;
  cResourcePtr<cSceneResource> m_scene;
  cResourcePtr<LocationResource> m_script;
  cResourcePtr<cSoundResource> m_click_sound;
  Location* m_parent;
  std::string m_folder;
  std::string m_name;
  std::string m_last_clicked;
  LocationTexts m_texts;  // a copy of this location's record of the phrase database
  std::vector<std::unique_ptr<LocationCharacter>> m_objects;
  std::vector<LocationCharacter*> m_script_objects;
  std::map<std::string, LocationCharacter*> m_objects_by_name;
  std::map<std::string, LocationCharacter*> m_script_objects_by_name;
  std::map<std::string, std::unique_ptr<PhraseSequence>> m_sequences;
  std::map<std::string, std::unique_ptr<Location>> m_sub_locations;
  std::map<std::string, MiniGame*> m_games;  // owned (windows below m_window)
  CommandNode* m_root = nullptr;
  CommandNode* m_current = nullptr;
  std::string m_pending;
  bool m_onload_ran = false;
  bool m_shown = false;
  bool m_modal = false;
  std::string m_status;
  std::string m_next_location;
  LocationCharacter* m_tooltip_object = nullptr;

  // ---- this frame's step ---------------------------------------------------------------------
  bool m_press_unclaimed = false;  // a click node saw a press that it did not take
  bool m_press_claimed = false;    // a click node took this frame's press
  bool m_click_sound_played = false;
  bool m_save_requested = false;   // a save asked for by the step, made when the step is over
  bool m_click_saw_item_press = false;   // the last click node evaluated: a press, an item in hand
  bool m_click_took_with_item = false;   // ...and it yielded a name with an item still in hand
};
