#pragma once
// The virtual-key codes that kKeyDown messages carry. They are the Windows numbers: the edit box
// acts on exactly these values (Backspace 8, End 35, Home 36, Left 37, Right 39, Insert 45,
// Delete 46), so they must never change. Letters and digits are their upper-case ASCII codes.

#include <cstdint>

namespace window {

enum VirtualKey : uint16_t {
  kVkNone = 0,
  kVkBack = 8,
  kVkTab = 9,
  kVkClear = 12,
  kVkReturn = 13,
  kVkShift = 16,
  kVkControl = 17,
  kVkMenu = 18,  // Alt
  kVkPause = 19,
  kVkCapital = 20,
  kVkEscape = 27,
  kVkSpace = 32,
  kVkPrior = 33,  // Page Up
  kVkNext = 34,   // Page Down
  kVkEnd = 35,
  kVkHome = 36,
  kVkLeft = 37,
  kVkUp = 38,
  kVkRight = 39,
  kVkDown = 40,
  kVkSnapshot = 44,  // Print Screen
  kVkInsert = 45,
  kVkDelete = 46,
  kVkHelp = 47,
  kVk0 = 48,  // '0' .. '9' are 48 .. 57
  kVkA = 65,  // 'A' .. 'Z' are 65 .. 90
  kVkLWin = 91,
  kVkRWin = 92,
  kVkApps = 93,
  kVkSleep = 95,
  kVkNumpad0 = 96,  // .. kVkNumpad9 = 105
  kVkMultiply = 106,
  kVkAdd = 107,
  kVkSeparator = 108,
  kVkSubtract = 109,
  kVkDecimal = 110,
  kVkDivide = 111,
  kVkF1 = 112,  // .. F24 = 135
  kVkNumLock = 144,
  kVkScroll = 145,
  kVkVolumeMute = 173,
  kVkVolumeDown = 174,
  kVkVolumeUp = 175,
  kVkMediaNext = 176,
  kVkMediaPrev = 177,
  kVkMediaStop = 178,
  kVkMediaPlayPause = 179,
  kVkOem1 = 186,       // ';' on a US keyboard
  kVkOemPlus = 187,    // '='
  kVkOemComma = 188,
  kVkOemMinus = 189,
  kVkOemPeriod = 190,
  kVkOem2 = 191,       // '/'
  kVkOem3 = 192,       // '`'
  kVkOem4 = 219,       // '['
  kVkOem5 = 220,       // '\'
  kVkOem6 = 221,       // ']'
  kVkOem7 = 222,       // '''
  kVkOem102 = 226,     // the extra key beside left Shift on ISO keyboards
};

}  // namespace window
