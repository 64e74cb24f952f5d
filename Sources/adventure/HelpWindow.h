#pragma once
// The in-game help screen: a small panel of text with an animated arrow, put beside one part of
// the game panel or of the scene to explain it. Built from "gui\game_panel\help_screen" and owned
// by the game panel; location scripts show and hide it, and so does the hint-recharge search.

#include <functional>
#include <string>

#include "gui/include/GUIStateWindow.h"
#include "source/math/Vector.h"
#include "source/math/cBoundingBox.h"

class RenderObject;

class HelpWindow : public GUIStateWindow {
 public:
  static constexpr const char* kForm = "gui\\game_panel\\help_screen";
  static constexpr int kTextStatics = 7;
  // Which clicks close it: any click, a click on the target, none (only a hide request).
  enum CloseMode : int { kCloseOnAnyClick = 0, kCloseOnTarget = 1, kCloseOnRequest = 2 };

  explicit HelpWindow(GUIWindow* parent);

  void Show() override;
  void Hide() override;
  using GUIStateWindow::Show;
  bool Update() override;
  bool HandleMouse(const Vector2& point, bool button_down) override;

  int GetCloseMode() const { return m_close_mode; }
  RenderObject* GetTarget() const { return m_target; }
  GUIWindow* GetArrow() const { return m_arrow; }
  const cBoundingBox& GetOwnBounds() const { return m_bounds; }
  float GetAlpha() const { return m_color.w; }

 private:
  friend void SetHelpPageTexts(HelpWindow* help, const std::string& text_key, int close_mode, RenderObject* target);

  cBoundingBox m_bounds;             // the extent of the child "box"
  GUIWindow* m_arrow_left = nullptr;   // children: the tree owns them
  GUIWindow* m_arrow_right = nullptr;
  GUIWindow* m_arrow = nullptr;
  int m_close_mode = kCloseOnAnyClick;
  RenderObject* m_target = nullptr;  // not owned
  cBoundingBox m_target_bounds;
  Vector4 m_color{1.0f, 1.0f, 1.0f, 0.0f};
};

// Writes the text of `text_key` and puts the help screen beside `target`: on its right with the
// left-pointing arrow, or on its left with the right-pointing one when it would leave the screen.
void SetHelpPageTexts(HelpWindow* help, const std::string& text_key, int close_mode, RenderObject* target);

// A request "key_part_object": the text key, the part of the game pointed at, a scene object.
struct HelpRequest {
  std::string text_key;
  std::string part;
  std::string object;
};
HelpRequest ParseHelpRequest(const std::string& request);

// Where each part points and how the pointer closes.
enum class HelpTarget { kPanelChild, kFirstInventorySlot, kLocationObject, kNamedLocationObject, kLastRewardIcon };
enum class HelpSideEffect { kNone, kDiaryPointed, kHintPointing, kSmallMapPointed, kLensPointing, kTargetToFront };
struct HelpRule {
  const char* part;
  HelpTarget target;
  const char* name;  // the panel child or the fixed scene object it points at
  int close_mode;
  HelpSideEffect side_effect;
  // The panel child pointed at instead while `name` is hidden and this one shows: the search
  // hides the mini-games' exit and shows its own in another place.
  const char* shown_instead;
};
// The rule of that part, or null for a part the help screen does not know (it shows nothing).
const HelpRule* FindHelpRule(const std::string& part);

// The panel's entry for a request: the rule of its part, the target's model from `resolve`, the
// texts and the placement, then the help screen shows. Answers the rule applied, or null when the
// part is unknown or its target is missing (nothing changes then).
using HelpTargetResolver = std::function<RenderObject*(const HelpRule& rule, const std::string& object)>;
const HelpRule* ShowHelpRequest(HelpWindow* help, const std::string& request, const HelpTargetResolver& resolve);
