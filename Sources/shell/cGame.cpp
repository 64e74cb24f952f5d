#include "Sources/shell/cGame.h"

#include "Sources/shell/GuiShellSeam.h"
#include "Sources/shell/StateSwitch.h"
#include "Sources/shell/cGameState.h"
#include "Sources/shell/cLanguageManager.h"
#include "source/Resources/cResourcePtr.h"
#include "source/Resources/cXmlResource.h"
#include "source/log/cLog.h"
#include "source/path/Paths.h"
#include "source/properties/Conversions.h"
#include "source/properties/cProperties.h"
#include "source/xml/XmlNode.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\cGame";

// A slot number as the file writes it: decimal digits only, within the font table's bound.
bool ParseFontSlot(const std::string& text, int32_t& slot) {
  if (text.empty() || text.size() > 3) return false;
  int32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value > cGame::kMaxFontSlot) return false;
  slot = value;
  return true;
}

}  // namespace

cGame::cGame() {
  m_select_handlers["font"] = MakeMemberDelegate(this, &cGame::OnSelectFont);
  cProperties* properties = cProperties::GetInstance();
  m_engine_directory = properties->GetValue("engine_directory");
  if (!m_engine_directory.empty()) CreateDirectoryTree(m_engine_directory);
  m_user_folder = properties->GetUserFolder();
  cLanguageManager* languages = cLanguageManager::GetInstance();
  if (languages->GetCurrent() == nullptr) {
    languages->Activate(languages->GetChosen().empty() ? std::string(kFirstLanguage) : languages->GetChosen());
  }
}

void cGame::Init() {
  GetGuiShellSeam().SetViewSize(kViewWidth, kViewHeight);
  {
    cResourcePtr<cXmlResource> file;
    if (file.Assign(kGameInitResource)) ApplyGameInit(file->GetRoot());
  }
  const Language* language = cLanguageManager::GetInstance()->GetCurrent();
  GetGuiShellSeam().SetTextResource(language != nullptr ? language->code : std::string());
}

void cGame::Update(float dt) {
  if (m_state != nullptr) m_state->Update(dt);
}

void cGame::ChangeState(cGameState* state) {
  RunStateSwitch(StateSwitch{m_switching, m_has_pending, m_pending}, state, [this](cGameState* next) {
    if (next == m_state) return;
    if (m_state != nullptr) m_state->Leave();
    m_state = next;
    if (m_state != nullptr) m_state->Enter();
  });
}

void cGame::ApplyGameInit(const XmlNode& root) {
  cLanguageManager* languages = cLanguageManager::GetInstance();
  for (const XmlNode* child = root.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    if (child->GetName() == "active_language") {
      const std::string chosen = languages->GetChosen();
      languages->Activate(chosen.empty() ? GetAttributeValue(child, "lang", "en") : chosen);
    } else if (child->GetName() == "lang") {
      const Language* current = languages->GetCurrent();
      if (current != nullptr && GetAttributeValue(child, "name", "") == current->code) {
        ApplyLanguageSection(*child);
        return;  // the current language's section is the last thing read
      }
    }
  }
}

void cGame::ApplyLanguageSection(const XmlNode& section) {
  for (const XmlNode* child = section.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    if (child->GetName() != "select") continue;
    auto handler = m_select_handlers.find(GetAttributeValue(child, "type", "default"));
    if (handler == m_select_handlers.end() || !handler->second) continue;
    handler->second->Invoke(reinterpret_cast<DelegateArg>(child));
  }
}

DelegateArg cGame::OnSelectFont(DelegateArg element) {
  const auto* select = reinterpret_cast<const XmlNode*>(element);
  const std::string name = GetAttributeValue(select, "name", "");
  const std::string id = GetAttributeValue(select, "id", "");
  int32_t slot = m_font_slot_counter;
  // A refused select still counts, so the unnumbered fonts after it keep the slots their
  // position gives them.
  const bool slot_ok = id.empty() ? slot >= 0 && slot <= kMaxFontSlot : ParseFontSlot(id, slot);
  if (m_font_slot_counter < INT32_MAX) ++m_font_slot_counter;
  if (!slot_ok) {
    LogReport(kLogWarning, kSource, __LINE__, "font %s: slot \"%s\" is not a number from 0 to %d; skipped",
              name.c_str(), id.empty() ? std::to_string(slot).c_str() : id.c_str(), kMaxFontSlot);
    return 0;
  }
  if (!GetGuiShellSeam().SetFont(slot, name)) {
    LogReport(kLogPlain, kSource, __LINE__, "font %s for slot %d not found", name.c_str(), slot);
  }
  return 0;
}
