#include "gui/include/GUIEditBox.h"

#include <algorithm>
#include <cmath>

#include "gui/include/GUIAttribute.h"
#include "gui/include/GUIFont.h"
#include "gui/include/GUIStatic.h"
#include "gui/include/GUIWidgetSupport.h"
#include "gui/include/TextFitting.h"
#include "platform/window/VirtualKeys.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr const char* kPrintSound = "audio\\game\\text";
constexpr int32_t kScrollStep = 5;

}  // namespace

GUIEditBox::GUIEditBox(GUIWindow* parent, const std::string& name)
    : GUIWindow(parent, name),
      m_print_sound(FindGUISound(kPrintSound)),
      m_static(new GUIStatic(this, "static")),
      m_cursor(new GUIStatic(this, "cursor")) {
  CreateEvent("on_change");
  m_cursor->SetText(std::u16string(1, m_cursor_char));
  PropertyMap& map = GetProperties();
  AddGuiAttribute<std::u16string>(map, "text", [this] { return m_text; },
                                  [this](const std::u16string& text) { SetText(text); });
  AddGuiAttribute<int>(map, "font_id", [this] { return m_static->GetFontId(); },
                       [this](const int& id) {
                         m_static->SetFontId(id);
                         m_cursor->SetFontId(id);
                       });
  AddGuiAttribute<Vector4>(map, "font_color", [this] { return m_font_color; }, [this](const Vector4& color) {
    m_font_color = color;
    m_static->SetColor(color);
    m_cursor->SetColor(color);
  });
  AddGuiAttribute<Vector2>(map, "text_offset", [this] { return m_text_offset; },
                           [this](const Vector2& offset) { m_text_offset = offset; });
  // A box that holds no character at all would put its caret before the text's start.
  // A form may give the text before the limits: the caret and the view follow a new limit.
  AddGuiAttribute<int>(map, "text_length", [this] { return m_text_length; }, [this](const int& length) {
    m_text_length = std::max(length, 1);
    PlaceCaretAtEnd();
  });
  AddGuiAttribute<float>(map, "text_width", [this] { return m_text_width; }, [this](const float& width) {
    m_text_width = width;
    PlaceCaretAtEnd();
  });
  AddGuiAttribute<char16_t>(map, "cursor_char", [this] { return m_cursor_char; }, [this](const char16_t& c) {
    m_cursor_char = c;
    m_cursor->SetText(std::u16string(1, c));
  });
}

GUIEditBox::~GUIEditBox() = default;

int32_t GUIEditBox::LastCaret() const {
  return std::min(static_cast<int32_t>(std::min<std::size_t>(m_text.size(), INT32_MAX)), m_text_length - 1);
}

double GUIEditBox::Width(std::size_t begin, std::size_t end) const {
  const GUIFont* font = FindGUIFont(m_static->GetFontId());
  end = std::min(end, m_text.size());
  if (font == nullptr || begin >= end) return 0.0;
  return font->GetTextWidth(std::u16string_view(m_text).substr(begin, end - begin));
}

double GUIEditBox::CursorWidth() const {
  const GUIFont* font = FindGUIFont(m_static->GetFontId());
  return font != nullptr ? font->GetTextWidth(m_cursor->GetText()) : 0.0;
}

void GUIEditBox::FitView() {
  const GUIFont* font = FindGUIFont(m_static->GetFontId());
  if (font == nullptr) return;
  // A running width: each character that leaves the view takes its own width with it.
  double width = Width(static_cast<std::size_t>(m_first), static_cast<std::size_t>(m_caret)) + CursorWidth();
  while (m_first < m_caret && width > m_text_width) {
    width -= font->GetTextWidth(std::u16string_view(m_text).substr(static_cast<std::size_t>(m_first), 1));
    ++m_first;
  }
}

void GUIEditBox::StepRight() {
  const int32_t old_first = m_first;
  const int32_t old_caret = m_caret;
  m_caret = LastCaret();
  m_first = 0;
  FitView();
  const int32_t end_first = m_first;
  m_caret = std::min(old_caret + 1, m_text_length - 1);
  const std::size_t shown_end = std::min(m_text.size(), static_cast<std::size_t>(m_caret) + 1);
  if (Width(static_cast<std::size_t>(old_first), shown_end) + CursorWidth() <= m_text_width) {
    m_first = old_first;
  } else {
    m_first = std::min(old_first + kScrollStep, end_first);
  }
}

void GUIEditBox::ShowVisiblePart() {
  const GUIFont* font = FindGUIFont(m_static->GetFontId());
  const std::size_t first = std::min(static_cast<std::size_t>(std::max(m_first, 0)), m_text.size());
  std::size_t end = m_text.size();
  if (font != nullptr) {
    // The longest part from `first` on that ends within the width.
    double width = 0.0;
    for (std::size_t i = first; i < m_text.size(); ++i) {
      width += font->GetTextWidth(std::u16string_view(m_text).substr(i, 1));
      if (width > m_text_width) {
        end = i;
        break;
      }
    }
  }
  m_static->SetText(ReorderRightToLeft(std::u16string_view(m_text).substr(first, end - first)));
}

bool GUIEditBox::TypeCharacter(char16_t c) {
  const GUIFont* font = FindGUIFont(m_static->GetFontId());
  if (c != u' ' && (font == nullptr || !font->HasCharacter(c))) return false;
  const std::size_t caret = static_cast<std::size_t>(m_caret);
  if (m_overwrite && caret < m_text.size()) {
    m_text[caret] = c;
  } else {
    if (m_text.size() >= static_cast<std::size_t>(m_text_length)) return false;
    m_text.insert(std::min(caret, m_text.size()), 1, c);
  }
  if (caret < m_text.size()) StepRight();
  return true;
}

bool GUIEditBox::PressKey(char16_t key) {
  const int32_t length = static_cast<int32_t>(std::min<std::size_t>(m_text.size(), INT32_MAX));
  switch (key) {
    case window::kVkInsert:
      m_overwrite = !m_overwrite;
      return false;
    case window::kVkDelete:
      if (m_caret >= length) return false;
      m_text.erase(static_cast<std::size_t>(m_caret), 1);
      return true;
    case window::kVkBack:
      if (m_caret < 1) return false;
      // Only a full box rests its caret on the last character: Backspace there takes that one.
      if (m_caret + 1 == length && length >= m_text_length) {
        m_text.erase(static_cast<std::size_t>(m_caret), 1);
      } else {
        m_text.erase(static_cast<std::size_t>(m_caret - 1), 1);
        --m_caret;
        if (m_caret == m_first) {
          m_first = std::max(m_first - kScrollStep, 0);
          FitView();
        }
      }
      return true;
    case window::kVkLeft:
      if (m_caret < 1) return false;
      --m_caret;
      if (m_caret == m_first) {
        m_first = std::max(m_first - kScrollStep, 0);
        FitView();
      }
      return false;
    case window::kVkRight:
      if (m_caret < length) StepRight();
      return false;
    case window::kVkHome:
      m_caret = 0;
      m_first = 0;
      return false;
    case window::kVkEnd:
      m_caret = LastCaret();
      FitView();
      return false;
    default:
      return false;
  }
}

bool GUIEditBox::HandleMouse(const Vector2& point, bool button_down) {
  if (GUIWindow::HandleMouse(point, button_down)) return true;
  const GUIKeyMessage message = GetGUIKeyMessage();
  if (!IsEnabled() || !message.pending) return false;
  const std::u16string before = m_text;
  // Characters below 32 are keys' business, never text.
  const bool typed = message.is_character ? message.code >= 32 && TypeCharacter(message.code) : PressKey(message.code);
  ShowVisiblePart();
  if (m_text != before) FireEvent("on_change");
  if (typed) PlayGUISound(m_print_sound);
  return true;
}

void GUIEditBox::SetText(const std::u16string& text) {
  const bool changed = text != m_text;
  m_text = text;
  PlaceCaretAtEnd();
  if (changed) FireEvent("on_change");
}

void GUIEditBox::PlaceCaretAtEnd() {
  m_caret = LastCaret();
  m_first = 0;
  FitView();
  ShowVisiblePart();
}

bool GUIEditBox::IsCursorShown() const {
  return IsEnabled() && static_cast<int64_t>(m_blink_time / kBlinkSeconds) % 2 == 0;
}

bool GUIEditBox::Update() {
  if (cTimerManager* timers = cTimerManager::PeekInstance()) {
    // Kept within one on-and-off cycle, so the clock never loses its precision.
    m_blink_time = std::fmod(m_blink_time + timers->GetFrameDelta(), 2.0f * kBlinkSeconds);
  }
  return GUIWindow::Update();
}

bool GUIEditBox::ApplyTransform() {
  const float caret_x = static_cast<float>(Width(static_cast<std::size_t>(std::max(m_first, 0)),
                                                 static_cast<std::size_t>(std::max(m_caret, m_first))));
  m_static->SetMatrix(Matrix4::MakeTranslation(m_text_offset.x, m_text_offset.y, 0.0f));
  m_cursor->SetMatrix(Matrix4::MakeTranslation(m_text_offset.x + caret_x, m_text_offset.y, 0.0f));
  m_cursor->Show(IsCursorShown());
  return GUIWindow::ApplyTransform();
}
