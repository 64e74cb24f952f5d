// The diary's commands from the location scripts, its comics file, and picture completion.

#include <algorithm>
#include <charconv>

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/WindowEffectOwner.h"
#include "source/log/cLog.h"
#include "source/particle/ParticleEffectHandle.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"
#include "source/xml/XmlNode.h"

namespace {

constexpr const char* kSource = "Sources\\adventure\\DiaryWindow";

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// Splits at the first "_": without one, the head is the whole text and the tail is empty.
std::pair<std::string, std::string> SplitFirst(const std::string& text) {
  const std::size_t at = text.find('_');
  if (at == std::string::npos) return {text, std::string()};
  return {text.substr(0, at), text.substr(at + 1)};
}

template <typename T>
void AppendOnce(std::vector<T>& list, const T& value) {
  if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

}  // namespace

std::optional<int32_t> ReadDiaryNumber(const std::string& text) {
  if (text.empty()) return 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (*first == '+') ++first;
  int32_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

JournalComics ReadJournalComics(const XmlNode& root) {
  JournalComics table;
  for (const XmlNode* entry = root.GetFirstChild(); entry != nullptr; entry = entry->GetNext()) {
    const XmlNode* name = entry->FindAttribute("name");
    const std::string text = name != nullptr ? name->GetValue() : std::string();
    const std::optional<int32_t> number = ReadDiaryNumber(text.size() > 9 ? text.substr(9) : std::string("x"));
    if (!number) {
      LogReport(kLogWarning, kSource, __LINE__, "the comics entry \"%s\" names no page number: skipped", text.c_str());
      continue;
    }
    std::vector<std::string> pages;
    for (const XmlNode* attribute = entry->GetFirstAttribute(); attribute != nullptr; attribute = attribute->GetNext()) {
      if (attribute->GetName() == "comics") pages.push_back(attribute->GetValue());
    }
    table[*number] = std::move(pages);
  }
  return table;
}

void DiaryWindow::OpenDiaryPage(const std::string& command) {
  const auto [head, tail] = SplitFirst(command);
  ProfileProgress* progress = Progress();
  if (progress == nullptr) return;
  if (head == "picture") {
    const auto [number_text, total_text] = SplitFirst(tail);
    const std::optional<int32_t> number = ReadDiaryNumber(number_text);
    const std::optional<int32_t> total = ReadDiaryNumber(total_text);
    if (!number || !total) {
      LogReport(kLogWarning, kSource, __LINE__, "diary command %s: not a picture number and total", command.c_str());
      return;
    }
    AddPicturePiece(*number, *total);
  } else if (head == "add" && StartsWith(tail, "petition")) {
    NotifyNotice();
    if (tail.size() == 10 && StartsWith(tail, "petition_") && tail[9] >= '1' && tail[9] <= '7') {
      progress->m_petition_state = tail[9] - '0';
    }
    RefreshPetitionPage();
  } else if (head == "add" && StartsWith(tail, "scheme")) {
    NotifyNotice();
    progress->m_scheme_state = tail == "scheme_1" ? 1 : tail == "scheme_2" ? 2 : 0;
    RefreshSchemePage();
  } else if (head == "add" && StartsWith(tail, "page")) {
    NotifyNotice();
    AddComicsPage(tail);
  } else if (head == "aim") {
    AppendOnce(progress->m_diary_names, command);
  } else if (head == "$aim") {
    auto& names = progress->m_diary_names;
    auto found = std::find(names.begin(), names.end(), command.substr(1));
    if (found != names.end()) *found = command;
  }
}

void DiaryWindow::AddComicsPage(const std::string& tail) {
  const std::optional<int32_t> page = ReadDiaryNumber(tail.size() > 5 ? tail.substr(5) : std::string());
  // Pages count from 1; page 0, a negative one or one past the comics windows changes nothing.
  if (!page || *page < 1 || static_cast<std::size_t>(*page) > m_comics_windows.size()) {
    LogReport(kLogWarning, kSource, __LINE__, "diary page \"%s\" is none of the %zu comics pages", tail.c_str(),
              m_comics_windows.size());
    return;
  }
  AppendOnce(Progress()->m_comics, *page - 1);
}

void DiaryWindow::AddPicturePiece(int32_t number, int32_t total) {
  if (number < 0 || number >= kPictures) {
    LogReport(kLogWarning, kSource, __LINE__, "diary picture %d is none of the %d pictures", number, kPictures);
    return;
  }
  ProfileProgress* progress = Progress();
  int32_t& count = progress->m_diary_piece_counts[number];
  if (count < INT32_MAX) ++count;
  progress->m_diary_piece_totals[number] = total;
  if (count < total) {
    NotifyNotice();
    return;
  }
  CompletePicture(number);
}

void DiaryWindow::CompletePicture(int number) {
  GUIWindow* picture = m_picture_windows[number];
  m_fading = picture;
  if (picture != nullptr) picture->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
  m_fade_time = kFadeSeconds;
  m_effect.reset();
  m_effect_owner = std::make_unique<WindowEffectOwner>(picture != nullptr ? picture : this);
  m_effect = std::make_unique<ParticleEffectHandle>(m_card_effect.Get(), m_effect_owner.get(), kFadeSeconds);
  Vector3 at;
  if (const RenderObject* model = picture != nullptr ? picture->GetVisual().GetModel() : nullptr) {
    const Matrix4& world = model->GetWorldMatrix();
    at = Vector3(world.m[12], world.m[13], 0.0f);
  }
  if (m_effect->GetSystem() != nullptr) m_effect->StartAt(at);
  AppendOnce(Progress()->m_diary_pictures, static_cast<int32_t>(number));
  m_picture_hint_pending = true;
  Show();
  PlaySound(m_success_sound);
  OnPictureTab();
}

bool DiaryWindow::IsPictureComplete(const std::string& name) const {
  if (CurrentProfile == nullptr || name.size() <= 8) return false;
  const std::optional<int32_t> number = ReadDiaryNumber(name.substr(8));
  if (!number) return false;
  const std::vector<int32_t>& pictures = CurrentProfile->m_progress.m_diary_pictures;
  return std::find(pictures.begin(), pictures.end(), *number) != pictures.end();
}
