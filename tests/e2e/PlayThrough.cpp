#include "tests/e2e/PlayThrough.h"

#include <sstream>

#include "Sources/shell/userdata/PlayerProfile.h"
#include "source/stream/cMemoryStream.h"

namespace playthrough {

std::vector<std::string> FrontScreens(const std::string& log) {
  static const std::string kLine = "screen in front: ";
  std::vector<std::string> names;
  for (std::size_t at = log.find(kLine); at != std::string::npos;) {
    const std::size_t next = log.find(kLine, at + 1);
    names.push_back(FrontScreen(log.substr(0, next)));
    at = next;
  }
  return names;
}

std::vector<std::string> FaultLines(const std::string& log) {
  std::vector<std::string> faults;
  for (std::size_t at = 0, end = 0; at < log.size(); at = end + 4) {
    end = log.find("<BR>", at);
    if (end == std::string::npos) end = log.size();
    const std::string entry = log.substr(at, end - at);
    if (entry.find("not found") != std::string::npos || entry.find("color=\"#FF0000\"") != std::string::npos ||
        entry.find("color=\"#7F7F7F\"") != std::string::npos) {
      faults.push_back(entry);
    }
  }
  return faults;
}

std::string Holdings(const std::string& bytes, bool tips) {
  cMemoryStream stream;
  if (!bytes.empty()) stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  stream.Seek(0, 0);
  PlayerProfile player;
  if (!player.ReadContent(stream)) return {};
  const ProfileProgress& p = player.m_progress;
  std::ostringstream held;
  held << "stage " << player.m_stage << "; items";
  for (const ItemCount& item : p.m_items) held << ' ' << item.m_name << " x" << item.m_count;
  std::vector<int32_t> whole = p.m_diary_pictures;
  std::sort(whole.begin(), whole.end());
  held << "; pictures whole";
  for (int32_t n : whole) held << ' ' << n;
  held << "; begun";
  for (std::size_t n = 0; n < p.m_diary_piece_totals.size() && n < p.m_diary_piece_counts.size(); ++n) {
    const bool is_whole = std::find(whole.begin(), whole.end(), static_cast<int32_t>(n)) != whole.end();
    if (!is_whole && p.m_diary_piece_totals[n] != 0 && p.m_diary_piece_counts[n] < p.m_diary_piece_totals[n]) {
      held << ' ' << n << ':' << p.m_diary_piece_counts[n] << '/' << p.m_diary_piece_totals[n];
    }
  }
  if (tips) {
    held << "; tips shown";
    for (std::size_t n = 0; n < p.m_tips.size(); ++n) {
      if (p.m_tips[n] == 0) held << ' ' << n;
    }
  }
  held << "; hints " << p.m_hints << "; map " << int{p.m_has_map} << "; lens " << int{p.m_has_lens};
  return held.str();
}

}  // namespace playthrough
