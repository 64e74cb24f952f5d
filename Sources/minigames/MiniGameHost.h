#pragma once
// What a mini-game asks of the game around it: the game panel (its exit button, turned into the
// mini-game's skip button, and its hint icons), the hint window (whether the hero is speaking, and
// the intro phrases a game speaks when it starts) and the game's one OK box and one Yes/No box.
// The panel, the hint window and the message boxes install one host when they are made; until
// then the host that does nothing stands in, so a mini-game runs on its own (no skip, no pause).

#include <memory>
#include <string>

#include "source/core/Delegate.h"
#include "source/math/Vector.h"

// An intro phrase sequence of one mini-game, made by the hint window's side of the host.
class MiniGameIntro {
 public:
  // A sequence still shown by the hint window is taken off it: no pointer to it survives.
  virtual ~MiniGameIntro() = default;
  // Shows the sequence from its first page in the hint window.
  virtual void Show() = 0;
};

class MiniGameHost {
 public:
  virtual ~MiniGameHost() = default;

  // ---- the game panel ------------------------------------------------------------------------------
  // With `on`, the panel shows its exit button captioned by the text key, and a click on it calls
  // `on_click`; without, the panel's normal buttons come back and the handler is let go.
  virtual void SetButtonMode(const std::string& caption_key, bool on, const DelegatePtr& on_click, int variant) {}
  // Offers a mouse event (GUI point, left button) to the exit button; true when it took it.
  virtual bool HandleExitButtonMouse(const Vector2& point, bool button_down) { return false; }
  // The hint icons show the current profile's hint count again.
  virtual void SyncHintIcons() {}

  // ---- the hint window -----------------------------------------------------------------------------
  // The hint window is showing a phrase sequence.
  virtual bool IsPhraseShown() const { return false; }
  // The phrases of `key` in `section` as a sequence; null when there are none.
  virtual std::unique_ptr<MiniGameIntro> MakeIntro(const std::string& section, const std::string& key) {
    return nullptr;
  }

  // ---- the message boxes ---------------------------------------------------------------------------
  virtual void ShowMessageBox(const std::string& title_key, const std::string& text_key) {}
  // "yes" invokes `yes`, "no" invokes `no` (either may be empty).
  virtual void ShowYesNoBox(const std::string& title_key, const std::string& text_key, const DelegatePtr& yes,
                            const DelegatePtr& no) {}
  // Empties every callback of the boxes whose delegate is bound to `object` (it is going away).
  virtual void ForgetCallbacksOf(const void* object) {}
};

// The installed host, or the one that does nothing.
MiniGameHost& GetMiniGameHost();
// Installs a host (not owned; it must outlive its installation). Null puts back the one that does
// nothing.
void SetMiniGameHost(MiniGameHost* host);
