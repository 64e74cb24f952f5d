#pragma once
// Phrases the hint window shows one page at a time. Its name is "wait" while it is shown and
// empty once the last page has been turned (or before it is shown); callers poll it.

#include <cstdint>
#include <string>
#include <vector>

#include "Sources/adventure/PhraseDatabase.h"

class PhraseSequence {
 public:
  // Idle until shown: the key names the phrases (what a save records), never the sequence's state.
  PhraseSequence(std::string key, std::vector<Phrase> phrases);
  // Lets go of the hint window when it still shows this sequence.
  virtual ~PhraseSequence();
  PhraseSequence(const PhraseSequence&) = delete;
  PhraseSequence& operator=(const PhraseSequence&) = delete;

  // From the first page, as the hint window's current sequence. A sequence without phrases has
  // nothing to show: it is logged and stays ended.
  void Show();
  // The next page; after the last one the hint window is left empty and the name becomes empty.
  void NextPage();
  // Ends at once, past its last page (the hint window could not show it).
  void End();

  const std::string& GetName() const { return m_name; }
  const std::string& GetKey() const { return m_key; }
  int32_t GetPage() const { return m_page; }
  const std::vector<Phrase>& GetPhrases() const { return m_phrases; }

 private:
  std::string m_key;
  std::string m_name;  // "wait" while shown
  int32_t m_page = 0;
  std::vector<Phrase> m_phrases;
};
