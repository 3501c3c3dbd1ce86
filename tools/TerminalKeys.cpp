#include "TerminalKeys.h"

#include <array>

#include "TextEncoding.h"

namespace {

struct KeyCodes {
  UINT virtualKey;
  std::string_view normal;
  std::string_view application;  // with cursor-key mode set
};

// Arrows follow cursor-key mode; PF1 to PF4 and the keypad keys a VT102's
// description gives as F5 to F10 do not.
constexpr std::array<KeyCodes, 22> kKeys{{
    {0x26, "\x1b[A", "\x1bOA"},      // Up
    {0x28, "\x1b[B", "\x1bOB"},      // Down
    {0x27, "\x1b[C", "\x1bOC"},      // Right
    {0x25, "\x1b[D", "\x1bOD"},      // Left
    {0x24, "\x1b[1~", "\x1b[1~"},    // Home: Find
    {0x2D, "\x1b[2~", "\x1b[2~"},    // Insert
    {0x2E, "\x1b[3~", "\x1b[3~"},    // Delete: Remove
    {0x23, "\x1b[4~", "\x1b[4~"},    // End: Select
    {0x21, "\x1b[5~", "\x1b[5~"},    // Page Up: Prev Screen
    {0x22, "\x1b[6~", "\x1b[6~"},    // Page Down: Next Screen
    {0x70, "\x1bOP", "\x1bOP"},      // F1: PF1
    {0x71, "\x1bOQ", "\x1bOQ"},      // F2: PF2
    {0x72, "\x1bOR", "\x1bOR"},      // F3: PF3
    {0x73, "\x1bOS", "\x1bOS"},      // F4: PF4
    {0x74, "\x1bOt", "\x1bOt"},      // F5
    {0x75, "\x1bOu", "\x1bOu"},      // F6
    {0x76, "\x1bOv", "\x1bOv"},      // F7
    {0x77, "\x1bOl", "\x1bOl"},      // F8
    {0x78, "\x1bOw", "\x1bOw"},      // F9
    {0x79, "\x1bOx", "\x1bOx"},      // F10
    {0x7A, "\x1b[23~", "\x1b[23~"},  // F11
    {0x7B, "\x1b[24~", "\x1b[24~"},  // F12
}};

}  // namespace

std::string_view TerminalKeys::KeySequence(UINT virtualKey, bool cursorKeyMode) {
  for (const KeyCodes& key : kKeys) {
    if (key.virtualKey == virtualKey) return cursorKeyMode ? key.application : key.normal;
  }
  return {};
}

std::string TerminalKeys::CharacterBytes(wchar_t character) {
  return platform::encoding::AnsiFromUtf8(CString(character).ToUtf8());
}

std::string TerminalKeys::PastedBytes(const CString& text) {
  std::string bytes = platform::encoding::AnsiFromUtf8(text.ToUtf8());
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    out += bytes[i] == '\n' ? '\r' : bytes[i];
  }
  return out;
}
