#include "Sources/adventure/PhraseSequence.h"

#include "Sources/adventure/HintWindow.h"
#include "source/log/cLog.h"

PhraseSequence::PhraseSequence(std::string key, std::vector<Phrase> phrases)
    : m_key(std::move(key)), m_phrases(std::move(phrases)) {}

PhraseSequence::~PhraseSequence() {
  if (HintWindow* hints = HintWindow::PeekInstance()) hints->Forget(this);
}

void PhraseSequence::Show() {
  m_page = 0;
  if (m_phrases.empty()) {
    // Shown, it would wait for a page that never comes.
    LogReport(kLogError, "Sources\\PhraseSequence", __LINE__, "a phrase sequence without phrases is not shown");
    m_name.clear();
    return;
  }
  m_name = "wait";
  HintWindow::GetInstance()->SetSequence(this);
}

void PhraseSequence::NextPage() {
  ++m_page;
  HintWindow* hints = HintWindow::PeekInstance();
  if (m_page < static_cast<int32_t>(m_phrases.size())) {
    if (hints != nullptr && hints->GetSequence() == this) hints->ShowText();
    return;
  }
  m_name.clear();
  if (hints != nullptr) hints->Forget(this);
}

void PhraseSequence::End() {
  m_page = static_cast<int32_t>(m_phrases.size());
  m_name.clear();
}
