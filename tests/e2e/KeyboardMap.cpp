#include "tests/e2e/KeyboardMap.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>

std::vector<uint32_t> CodePoints(const std::string& utf8) {
  std::vector<uint32_t> points;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    uint32_t point = extra == 0 ? byte : byte & (0x3Fu >> extra);
    bool whole = i + static_cast<std::size_t>(extra) < utf8.size();
    for (int k = 1; whole && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      whole = (next & 0xC0) == 0x80;
      point = (point << 6) | (next & 0x3Fu);
    }
    if (!whole) {
      points.push_back(byte);
      ++i;
      continue;
    }
    points.push_back(point);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return points;
}

unsigned long KeysymOf(uint32_t code_point) {
  if ((code_point >= 0x20 && code_point <= 0x7E) || (code_point >= 0xA0 && code_point <= 0xFF)) return code_point;
  return 0x01000000ul | code_point;
}

std::vector<std::string> KeysForText(const std::string& utf8) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return {};
  int first = 0, last = 0, per_key = 0;
  XDisplayKeycodes(display, &first, &last);
  KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &per_key);
  std::vector<std::string> keys;
  bool failed = map == nullptr;
  for (const uint32_t point : CodePoints(utf8)) {
    if (failed) break;
    const KeySym wanted = KeysymOf(point);
    int spare = -1;
    bool mapped = false;
    for (int code = first; code <= last && !mapped; ++code) {
      bool empty = true;
      for (int level = 0; level < per_key; ++level) {
        const KeySym sym = map[(code - first) * per_key + level];
        mapped = mapped || (sym == wanted && level < 2);  // reachable with Shift at most
        empty = empty && sym == NoSymbol;
      }
      if (empty && spare < 0) spare = code;
    }
    if (!mapped) {
      if (spare < 0) {
        failed = true;
        break;
      }
      std::vector<KeySym> row(static_cast<std::size_t>(per_key), NoSymbol);
      row[0] = wanted;
      if (per_key > 1) row[1] = wanted;  // the same letter with Shift held
      XChangeKeyboardMapping(display, spare, per_key, row.data(), 1);
      for (int level = 0; level < per_key; ++level) map[(spare - first) * per_key + level] = row[static_cast<std::size_t>(level)];
    }
    const char* name = XKeysymToString(wanted);
    char unicode[16];
    if (name == nullptr) {
      std::snprintf(unicode, sizeof unicode, "U%04X", point);
      name = unicode;
    }
    keys.emplace_back(name);
  }
  if (map != nullptr) XFree(map);
  XSync(display, False);
  XCloseDisplay(display);
  if (failed) return {};
  return keys;
}
