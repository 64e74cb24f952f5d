#pragma once
// The game object: holds the current game state and updates it once a frame with the main loop's
// frame time. At start-up it applies the game initialisation file ("game_init\game_init"): the
// active language, and per language the "select" elements, each handed to the handler registered
// for its type ("font" fills a GUI font slot).

#include <cstdint>
#include <map>
#include <string>

#include "source/core/Delegate.h"

class cGameState;
class XmlNode;

class cGame {
 public:
  // Registers the "font" handler, takes "engine_directory" (and creates it) and the user folder
  // from the properties store, and activates "ru" when no language is current yet.
  cGame();
  virtual ~cGame() = default;
  cGame(const cGame&) = delete;
  cGame& operator=(const cGame&) = delete;

  // Sets the GUI view to 1024 x 768, reads "game_init\game_init" (a missing resource skips it),
  // then points the GUI text table at the current language's text resource.
  virtual void Init();
  // Updates the current state, when there is one.
  virtual void Update(float dt);
  // Leaves the current state and enters `state` (null: no state); nothing when it is current.
  // A switch asked for from inside a Leave or an Enter follows this one before the call returns.
  virtual void ChangeState(cGameState* state);

  // Reads the children of the initialisation file's root in order (see the file's layout above).
  void ApplyGameInit(const XmlNode& root);

  cGameState* GetCurrentState() const { return m_state; }
  const std::string& GetEngineDirectory() const { return m_engine_directory; }
  const std::string& GetUserFolder() const { return m_user_folder; }
  int32_t GetFontSlotCounter() const { return m_font_slot_counter; }
  // Handlers of "select" elements by their "type" (exact case); invoked with the XmlNode*.
  void SetSelectHandler(const std::string& type, const DelegatePtr& handler) { m_select_handlers[type] = handler; }

  // GUI font slots go from 0 to this; an "id" outside it, or not a plain decimal, is refused.
  static constexpr int32_t kMaxFontSlot = 255;
  static constexpr float kViewWidth = 1024.0f;
  static constexpr float kViewHeight = 768.0f;
  static constexpr const char* kGameInitResource = "game_init\\game_init";
  static constexpr const char* kFirstLanguage = "ru";

 private:
  // The "font" select: fills the slot "id" (or the next counted slot) with the font "name".
  DelegateArg OnSelectFont(DelegateArg element);
  void ApplyLanguageSection(const XmlNode& section);

  std::map<std::string, DelegatePtr> m_select_handlers;
  int32_t m_font_slot_counter = 0;
  cGameState* m_state = nullptr;  // not owned: states belong to whoever made them
  std::string m_engine_directory;
  std::string m_user_folder;
  bool m_switching = false;
  bool m_has_pending = false;
  cGameState* m_pending = nullptr;
};
