#include "source/log/LogFormat.h"

#include <ctime>

namespace {

char HexDigit(unsigned value) { return "0123456789ABCDEF"[value & 15u]; }

std::string ColorComponent(float value) {
  // Out-of-range components are clamped so every colour stays two digits.
  const float scaled = value <= 0.0f ? 0.0f : (value >= 1.0f ? 255.0f : value * 255.0f);
  const unsigned byte = static_cast<unsigned>(scaled);
  return {HexDigit(byte >> 4), HexDigit(byte)};
}

bool IsWhite(const LogColor& color) { return ColorToHex(color) == "#FFFFFF"; }

std::string FontOpen(const LogColor& color) { return "<FONT color=\"" + ColorToHex(color) + "\">"; }

std::string Banner(const std::string& middle) {
  return FontOpen(kLogWhite) + "======== </FONT>" + FontOpen(kLogGreen) + LogTextToHtml(middle) +
         "</FONT>" + FontOpen(kLogWhite) + " ========</FONT><BR>\n";
}

}  // namespace

std::string ColorToHex(const LogColor& color) {
  std::string hex = "#";
  hex += ColorComponent(color.r);
  hex += ColorComponent(color.g);
  hex += ColorComponent(color.b);
  return hex;
}

std::string ComposeLogEntry(int level, const std::string& source, int line, const std::string& text) {
  const std::string where = source + "(" + std::to_string(line) + ")";
  switch (level) {
    case 1:
      return "\nWarning: " + text + "!\n\n";
    case 2:
      return "\n" + where + ": Error: " + text + "!\n\n";
    case 3:
      return where + ": PROGRAM ABORTING! " + text + "\n";
    default:
      return text + "\n";
  }
}

LogColor LogLevelColor(int level) {
  switch (level) {
    case 1:
      return kLogGrey;
    case 2:
    case 3:
      return kLogRed;
    default:
      return kLogWhite;
  }
}

std::string LogTextToHtml(const std::string& text) {
  std::string html;
  html.reserve(text.size() + text.size() / 4);
  for (const char c : text) {
    switch (c) {
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '&':
        html += "&amp;";
        break;
      case '\n':
        html += "<BR>";
        break;
      default:
        html += c;
    }
  }
  return html;
}

std::string LogHtmlEntry(const std::string& text, const LogColor& color) {
  if (IsWhite(color)) return LogTextToHtml(text);
  return FontOpen(color) + LogTextToHtml(text) + "</FONT>";
}

std::string LogHead(const std::string& short_name, const std::string& date) {
  const std::string name = LogTextToHtml(short_name);
  return "<HTML>\n<HEAD>\n<TITLE>" + name + " Log</TITLE>\n</HEAD>\n<BODY bgcolor=\"" +
         ColorToHex(kLogBlack) + "\">\n" + FontOpen(kLogWhite) + name + " Log: " + LogTextToHtml(date) +
         "</FONT><BR>\n" + Banner(short_name + " Log start") + "\n";
}

std::string LogTail(const std::string& short_name, const std::string& date) {
  std::string tail = "\n";
  tail += Banner(short_name + " Log end: " + date);
  tail += "</FONT>\n</BODY>\n</HTML>\n";
  return tail;
}

std::string LogDateNow() {
  const std::time_t now = std::time(nullptr);
  char buffer[256] = {};
  if (ctime_r(&now, buffer) == nullptr) return std::string();
  std::string date(buffer);
  while (!date.empty() && (date.back() == '\n' || date.back() == '\r')) date.pop_back();
  return date;
}
