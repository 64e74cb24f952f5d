#include "tools/profileseed/SeedOptions.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/shell/userdata/PlayerProfile.h"

namespace {

bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

// Each name once, none empty: the inventory keeps one record an item.
bool ReadItems(std::string_view list, std::vector<ItemCount>& items) {
  while (true) {
    const size_t comma = list.find(',');
    const std::string_view name = list.substr(0, comma);
    if (name.empty()) return false;
    bool known = false;
    for (const ItemCount& item : items) known = known || item.m_name == name;
    if (!known) items.push_back(ItemCount{std::string(name), 1});
    if (comma == std::string_view::npos) return true;
    list.remove_prefix(comma + 1);
  }
}

// A list of numbers, each below `below`: "1,4"; `each` takes them in turn.
template <typename Each>
bool ReadNumbers(std::string_view list, int32_t below, Each each) {
  while (true) {
    const size_t comma = list.find(',');
    const std::string_view digits = list.substr(0, comma);
    int32_t number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || number < 0 || number >= below) {
      return false;
    }
    each(number);
    if (comma == std::string_view::npos) return true;
    list.remove_prefix(comma + 1);
  }
}

// Diary pictures, each kept once.
bool ReadPictures(std::string_view list, std::vector<int32_t>& pictures) {
  return ReadNumbers(list, DiaryWindow::kPictures, [&](int32_t number) {
    if (std::find(pictures.begin(), pictures.end(), number) == pictures.end()) pictures.push_back(number);
  });
}

// The tips already shown, each below the count the profile keeps: "4,5".
bool ReadTips(std::string_view list, ProfileProgress& progress) {
  return ReadNumbers(list, static_cast<int32_t>(progress.m_tips.size()), [&](int32_t number) { progress.m_tips[number] = 0; });
}

// A diary picture part found: "1:1/3", picture 1 with one of its three pieces.
bool ReadPieces(std::string_view text, ProfileProgress& progress) {
  int32_t number = 0, found = 0, total = 0;
  const char* at = text.data();
  const char* end = text.data() + text.size();
  auto read = [&](int32_t& value, char after) {
    auto [next, error] = std::from_chars(at, end, value);
    if (error != std::errc() || next == at) return false;
    at = next;
    if (after == '\0') return at == end;
    if (at == end || *at != after) return false;
    ++at;
    return true;
  };
  if (!read(number, ':') || !read(found, '/') || !read(total, '\0')) return false;
  if (number < 0 || number >= DiaryWindow::kPictures || found < 1 || total <= found) return false;
  progress.m_diary_piece_counts.resize(DiaryWindow::kPictures, 0);
  progress.m_diary_piece_totals.resize(DiaryWindow::kPictures, 0);
  progress.m_diary_piece_counts[number] = found;
  progress.m_diary_piece_totals[number] = total;
  return true;
}

}  // namespace

bool ApplySeedOptions(PlayerProfile& player, const std::vector<std::string>& options) {
  ProfileProgress progress = player.m_progress;
  for (const std::string& option : options) {
    if (option == "map") {
      progress.m_has_map = 1;
    } else if (option == "lens") {
      progress.m_has_lens = 1;
    } else if (StartsWith(option, "hints=")) {
      const char* first = option.c_str() + 6;
      const char* last = option.c_str() + option.size();
      int32_t hints = 0;
      if (auto [end, error] = std::from_chars(first, last, hints); error != std::errc() || end != last || hints < 0) {
        return false;
      }
      progress.m_hints = hints;
    } else if (StartsWith(option, "items=")) {
      if (!ReadItems(std::string_view(option).substr(6), progress.m_items)) return false;
    } else if (StartsWith(option, "pictures=")) {
      // Diary pictures already made whole, as the places that need them finished check.
      if (!ReadPictures(std::string_view(option).substr(9), progress.m_diary_pictures)) return false;
    } else if (StartsWith(option, "pieces=")) {
      // A picture begun and not yet whole, as the cards of a place left behind made it.
      if (!ReadPieces(std::string_view(option).substr(7), progress)) return false;
    } else if (StartsWith(option, "tips-shown=")) {
      if (!ReadTips(std::string_view(option).substr(11), progress)) return false;
    } else if (option == "diary") {
      // A signature on the petition, the first scheme and a picture half found: each shows its tab.
      progress.m_petition_state = 1;
      progress.m_scheme_state = 1;
      progress.m_diary_piece_counts.resize(DiaryWindow::kPictures, 0);
      progress.m_diary_piece_totals.resize(DiaryWindow::kPictures, 0);
      progress.m_diary_piece_counts[0] = 1;
      progress.m_diary_piece_totals[0] = 2;
    } else {
      return false;
    }
  }
  player.m_progress = std::move(progress);
  return true;
}
