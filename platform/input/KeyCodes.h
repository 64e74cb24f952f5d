#pragma once
// The keyboard numbering of the input service: PC set-1 scan codes, with the keys that send the
// 0xE0 prefix at their code + 0x80 (the numbering DirectInput used). The engine's modifier state
// and the game's key checks (Escape is 0x01) rely on these numbers, so they must never change.

#include <cstdint>

namespace input {

enum KeyCode : uint8_t {
  kKeyEscape = 0x01,
  kKey1 = 0x02, kKey2 = 0x03, kKey3 = 0x04, kKey4 = 0x05, kKey5 = 0x06,
  kKey6 = 0x07, kKey7 = 0x08, kKey8 = 0x09, kKey9 = 0x0A, kKey0 = 0x0B,
  kKeyMinus = 0x0C,
  kKeyEquals = 0x0D,
  kKeyBack = 0x0E,
  kKeyTab = 0x0F,
  kKeyQ = 0x10, kKeyW = 0x11, kKeyE = 0x12, kKeyR = 0x13, kKeyT = 0x14,
  kKeyY = 0x15, kKeyU = 0x16, kKeyI = 0x17, kKeyO = 0x18, kKeyP = 0x19,
  kKeyLBracket = 0x1A,
  kKeyRBracket = 0x1B,
  kKeyReturn = 0x1C,
  kKeyLControl = 0x1D,
  kKeyA = 0x1E, kKeyS = 0x1F, kKeyD = 0x20, kKeyF = 0x21, kKeyG = 0x22,
  kKeyH = 0x23, kKeyJ = 0x24, kKeyK = 0x25, kKeyL = 0x26,
  kKeySemicolon = 0x27,
  kKeyApostrophe = 0x28,
  kKeyGrave = 0x29,
  kKeyLShift = 0x2A,
  kKeyBackslash = 0x2B,
  kKeyZ = 0x2C, kKeyX = 0x2D, kKeyC = 0x2E, kKeyV = 0x2F, kKeyB = 0x30,
  kKeyN = 0x31, kKeyM = 0x32,
  kKeyComma = 0x33,
  kKeyPeriod = 0x34,
  kKeySlash = 0x35,
  kKeyRShift = 0x36,
  kKeyMultiply = 0x37,  // keypad *
  kKeyLMenu = 0x38,     // left Alt
  kKeySpace = 0x39,
  kKeyCapital = 0x3A,
  kKeyF1 = 0x3B, kKeyF2 = 0x3C, kKeyF3 = 0x3D, kKeyF4 = 0x3E, kKeyF5 = 0x3F,
  kKeyF6 = 0x40, kKeyF7 = 0x41, kKeyF8 = 0x42, kKeyF9 = 0x43, kKeyF10 = 0x44,
  kKeyNumLock = 0x45,
  kKeyScroll = 0x46,
  kKeyNumpad7 = 0x47, kKeyNumpad8 = 0x48, kKeyNumpad9 = 0x49,
  kKeySubtract = 0x4A,  // keypad -
  kKeyNumpad4 = 0x4B, kKeyNumpad5 = 0x4C, kKeyNumpad6 = 0x4D,
  kKeyAdd = 0x4E,  // keypad +
  kKeyNumpad1 = 0x4F, kKeyNumpad2 = 0x50, kKeyNumpad3 = 0x51, kKeyNumpad0 = 0x52,
  kKeyDecimal = 0x53,  // keypad .
  kKeyOem102 = 0x56,   // the extra key beside left Shift on ISO keyboards
  kKeyF11 = 0x57,
  kKeyF12 = 0x58,
  kKeyF13 = 0x64, kKeyF14 = 0x65, kKeyF15 = 0x66,
  kKeyKana = 0x70,
  kKeyAbntC1 = 0x73,  // the Brazilian / Japanese "ro" key
  kKeyConvert = 0x79,
  kKeyNoConvert = 0x7B,
  kKeyYen = 0x7D,
  kKeyNumpadEquals = 0x8D,
  kKeyPrevTrack = 0x90,
  kKeyNextTrack = 0x99,
  kKeyNumpadEnter = 0x9C,
  kKeyRControl = 0x9D,
  kKeyMute = 0xA0,
  kKeyCalculator = 0xA1,
  kKeyPlayPause = 0xA2,
  kKeyMediaStop = 0xA4,
  kKeyVolumeDown = 0xAE,
  kKeyVolumeUp = 0xB0,
  kKeyWebHome = 0xB2,
  kKeyNumpadComma = 0xB3,
  kKeyDivide = 0xB5,  // keypad /
  kKeySysRq = 0xB7,   // Print Screen
  kKeyRMenu = 0xB8,   // right Alt
  kKeyPause = 0xC5,
  kKeyHome = 0xC7,
  kKeyUp = 0xC8,
  kKeyPrior = 0xC9,  // Page Up
  kKeyLeft = 0xCB,
  kKeyRight = 0xCD,
  kKeyEnd = 0xCF,
  kKeyDown = 0xD0,
  kKeyNext = 0xD1,  // Page Down
  kKeyInsert = 0xD2,
  kKeyDelete = 0xD3,
  kKeyLWin = 0xDB,
  kKeyRWin = 0xDC,
  kKeyApps = 0xDD,
  kKeyPower = 0xDE,
  kKeySleep = 0xDF,
  kKeyWebSearch = 0xE5,
  kKeyWebFavorites = 0xE6,
  kKeyWebRefresh = 0xE7,
  kKeyWebStop = 0xE8,
  kKeyWebForward = 0xE9,
  kKeyWebBack = 0xEA,
  kKeyMyComputer = 0xEB,
  kKeyMail = 0xEC,
  kKeyMediaSelect = 0xED,
};

}  // namespace input
