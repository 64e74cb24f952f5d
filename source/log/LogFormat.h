#pragma once
// The text of log entries: each level's prefix and framing, its colour, and the HTML form in
// which an entry is written to the log page.

#include <string>

struct LogColor {
  float r, g, b;  // 0..1
};

inline constexpr LogColor kLogWhite{1.0f, 1.0f, 1.0f};
inline constexpr LogColor kLogGrey{0.5f, 0.5f, 0.5f};
inline constexpr LogColor kLogRed{1.0f, 0.0f, 0.0f};
inline constexpr LogColor kLogGreen{0.0f, 1.0f, 0.0f};
inline constexpr LogColor kLogBlack{0.0f, 0.0f, 0.0f};

// "#RRGGBB": each component times 255, truncated, as two upper-case hexadecimal digits.
std::string ColorToHex(const LogColor& color);

// The entry text of a level: plain text and a line feed; a warning or an error framed by blank
// lines and ended by "!"; errors and aborts led by the source name and line.
std::string ComposeLogEntry(int level, const std::string& source, int line, const std::string& text);

// The colour of a level's entries (white for plain entries and unknown levels).
LogColor LogLevelColor(int level);

// `<`, `>` and `&` escaped, and every line feed written as "<BR>".
std::string LogTextToHtml(const std::string& text);

// A piece of the page: the text in HTML, inside a FONT tag unless the colour is white.
std::string LogHtmlEntry(const std::string& text, const LogColor& color);

// The page's head and tail; `date` is the C library's ctime text without its line feed.
std::string LogHead(const std::string& short_name, const std::string& date);
std::string LogTail(const std::string& short_name, const std::string& date);

// The local date and time as ctime gives it, without the line feed.
std::string LogDateNow();
