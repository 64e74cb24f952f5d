#include "Sources/adventure/HintWindow.h"

#include <cstdio>

#include "Sources/adventure/PhraseSequence.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUIStateWindow.h"
#include "gui/include/GUIStatic.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindowManager.h"
#include "source/Resources/cXmlResource.h"
#include "source/input/cInput.h"
#include "source/log/cLog.h"
#include "source/properties/Conversions.h"
#include "source/sound/cSoundPlayer.h"
#include "source/text/TextConversion.h"
#include "source/xml/XmlNode.h"

namespace {

constexpr const char* kSource = "Sources\\HintWindow";

void SetStaticText(GUIWindow* window, const std::u16string& text) {
  if (auto* text_static = dynamic_cast<GUIStatic*>(window)) {
    text_static->SetText(text);
  } else if (window != nullptr) {
    window->SetValue("text", WideToUtf8(text));
  }
}

bool FreshLeftPress() {
  const cInput* input = cInput::PeekInstance();
  return input != nullptr && input->Mouse().IsPressed(cInput::kMouseLeft);
}

}  // namespace

HintWindow::HintWindow() {
  m_page_sound.Assign(kPageSound);
  cResourcePtr<cXmlResource> file;
  if (file.Assign(kTypesResource)) {
    LoadTypes(file->GetRoot());
  } else {
    LogReport(kLogError, kSource, __LINE__, "%s not found: phrases have no windows", kTypesResource);
  }
}

HintWindow::~HintWindow() {
  // The windows belong to the GUI tree; the sequence to its creator.
  m_sequence = nullptr;
}

GUIWindow* HintWindow::Container() const {
  if (const GUIWindowManager* windows = GUIWindowManager::PeekInstance()) {
    if (GUIWindow* container = windows->GetWindow(kContainer)) return container;
  }
  const GUISystem* gui = GUISystem::PeekInstance();
  return gui != nullptr ? gui->GetRoot() : nullptr;
}

void HintWindow::LoadTypes(const XmlNode& root) {
  GUIWindow* container = Container();
  float x = 0.0f;
  float y = 0.0f;
  for (const XmlNode* element = root.GetFirstChild(); element != nullptr; element = element->GetNext()) {
    const std::string name = GetAttributeValue(element, "name", "");
    HintType type;
    std::sscanf(GetAttributeValue(element, "text_length", "0").c_str(), "%f", &type.text_length);
    // A type without a position stands where the type before it stands.
    std::sscanf(GetAttributeValue(element, "position", "").c_str(), "%f %f", &x, &y);
    type.x = x;
    type.y = y;
    type.resource = GetAttributeValue(element, "resource", "");
    m_types[name] = type;
    if (container == nullptr) continue;
    GUIStateWindow*& window = m_resource_windows[type.resource];
    if (window == nullptr) {
      window = new GUIStateWindow("hint_window", container);
      if (!window->SetFormByName(type.resource)) {
        // Without its form the window would show nothing: its phrases end instead of waiting.
        LogReport(kLogError, kSource, __LINE__, "hint type %s: form %s not found", name.c_str(), type.resource.c_str());
        delete window;
        m_resource_windows.erase(type.resource);
        continue;
      }
      window->SetEnabled(true);
    }
    m_type_windows[name] = window;
  }
}

GUIStateWindow* HintWindow::FindTypeWindow(const std::string& type) const {
  auto found = m_type_windows.find(type);
  return found == m_type_windows.end() ? nullptr : found->second;
}

void HintWindow::SetSequence(PhraseSequence* sequence) {
  m_sequence = sequence;
  m_just_shown = true;
  ShowText();
}

void HintWindow::ShowText() {
  if (m_sequence == nullptr) {
    HideAll();
    return;
  }
  const std::vector<Phrase>& phrases = m_sequence->GetPhrases();
  const int32_t page = m_sequence->GetPage();
  const Phrase* phrase = page >= 0 && page < static_cast<int32_t>(phrases.size()) ? &phrases[page] : nullptr;
  GUIStateWindow* window = phrase != nullptr ? FindTypeWindow(phrase->m_type) : nullptr;
  if (window == nullptr) {
    // Nothing could show the page, so nobody could turn it: the sequence ends instead of waiting.
    LogReport(kLogError, kSource, __LINE__, "phrase type %s has no window: the phrases end",
              phrase != nullptr ? phrase->m_type.c_str() : "(none)");
    PhraseSequence* ended = m_sequence;
    m_sequence = nullptr;
    HideAll();
    ended->End();
    return;
  }
  for (int i = 0;; ++i) {
    GUIWindow* line = window->FindChild("string_" + std::to_string(i));
    if (line == nullptr) break;
    SetStaticText(line, std::u16string());
  }
  GUIWindow* first = window->FindChild("string_0");
  if (first == nullptr) first = new GUIStatic(window, "string_0");  // the tree owns it
  SetStaticText(first, phrase->m_text);
  const HintType& type = m_types[phrase->m_type];
  window->SetMatrix(Matrix4::MakeTranslation(type.x, type.y, 0.0f));
  window->UpdateWorldMatrix();
  if (!window->IsVisible() || window->GetState() == GUIStateWindow::kDisappear) {
    if (m_visible != nullptr && m_visible != window) m_visible->Hide();
    window->Show();
    window->Activate();
    window->Update();
    // In front of the scene and the panel: drawn over them (last among its siblings).
    if (GUIWindow* container = Container()) container->MoveToFront(false);
  }
  m_visible = window;
  if (m_page_sound) cSoundPlayer::GetInstance()->Play(m_page_sound, false);
}

void HintWindow::HideAll() {
  m_visible = nullptr;
  // The windows live in the GUI's tree: once the GUI has gone there is nothing left to hide.
  const GUISystem* gui = GUISystem::PeekInstance();
  if (gui == nullptr || gui->GetRoot() == nullptr) return;
  for (auto& [resource, window] : m_resource_windows) {
    if (window == nullptr) continue;
    if (window->IsVisible()) window->Hide();
    if (GUIWindow* parent = window->GetParent(); parent != nullptr && parent->GetActiveChild() == window) {
      GUIWindow::SetActiveChild(parent, nullptr);
    }
    SetStaticText(window->FindChild("string_0"), std::u16string());
    SetStaticText(window->FindChild("string_1"), std::u16string());
  }
  m_visible = nullptr;
}

bool HintWindow::ClickReaches(const GUIWindow* window) const {
  const GUISystem* gui = GUISystem::PeekInstance();
  const GUIWindow* link = gui != nullptr && gui->GetRoot() != nullptr ? gui->GetRoot()->GetActiveChild() : nullptr;
  if (link == nullptr) return true;
  while (link != nullptr) {
    if (link == window) return true;
    const GUIWindow* next = link->GetActiveChild();
    if (next == link) return false;
    link = next;
  }
  return false;
}

void HintWindow::Update() {
  if (m_sequence == nullptr) return;
  if (m_just_shown) {
    m_just_shown = false;
    return;
  }
  if (FreshLeftPress() && ClickReaches(m_visible)) {
    PhraseSequence* turned = m_sequence;
    turned->NextPage();
    // A save between two pages shows the phrase again on resume: only the last page forgets it.
    if (turned->GetName().empty() && CurrentProfile != nullptr) {
      LocationRecord* record = CurrentProfile->FindCurrentLocationRecord();
      if (record != nullptr && record->m_sequence == turned->GetKey()) record->m_sequence.clear();
    }
  }
  m_just_shown = false;
}

void HintWindow::Forget(const PhraseSequence* sequence) {
  if (m_sequence != sequence) return;
  m_sequence = nullptr;
  m_just_shown = true;
  ShowText();
}

void HintWindow::Reset() {
  m_sequence = nullptr;
  m_just_shown = false;
  HideAll();
}
