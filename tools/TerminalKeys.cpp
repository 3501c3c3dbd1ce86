#include "TerminalKeys.h"

#include <array>

#include "TextEncoding.h"

namespace {

struct KeyCodes {
  std::string_view name;
  UINT virtualKey;
  std::string_view normal;
  std::string_view application;  // with cursor-key mode set
};

// Arrows follow cursor-key mode; PF1 to PF4 and the keypad keys a VT102's
// description gives as F5 to F10 do not.
constexpr std::array<KeyCodes, 22> kKeys{{
    {"Up", 0x26, "\x1b[A", "\x1bOA"},
    {"Down", 0x28, "\x1b[B", "\x1bOB"},
    {"Right", 0x27, "\x1b[C", "\x1bOC"},
    {"Left", 0x25, "\x1b[D", "\x1bOD"},
    {"Home", 0x24, "\x1b[1~", "\x1b[1~"},  // Find
    {"Insert", 0x2D, "\x1b[2~", "\x1b[2~"},
    {"Delete", 0x2E, "\x1b[3~", "\x1b[3~"},  // Remove
    {"End", 0x23, "\x1b[4~", "\x1b[4~"},  // Select
    {"Page Up", 0x21, "\x1b[5~", "\x1b[5~"},  // Prev Screen
    {"Page Down", 0x22, "\x1b[6~", "\x1b[6~"},  // Next Screen
    {"F1", 0x70, "\x1bOP", "\x1bOP"},  // PF1
    {"F2", 0x71, "\x1bOQ", "\x1bOQ"},  // PF2
    {"F3", 0x72, "\x1bOR", "\x1bOR"},  // PF3
    {"F4", 0x73, "\x1bOS", "\x1bOS"},  // PF4
    {"F5", 0x74, "\x1bOt", "\x1bOt"},
    {"F6", 0x75, "\x1bOu", "\x1bOu"},
    {"F7", 0x76, "\x1bOv", "\x1bOv"},
    {"F8", 0x77, "\x1bOl", "\x1bOl"},
    {"F9", 0x78, "\x1bOw", "\x1bOw"},
    {"F10", 0x79, "\x1bOx", "\x1bOx"},
    {"F11", 0x7A, "\x1b[23~", "\x1b[23~"},
    {"F12", 0x7B, "\x1b[24~", "\x1b[24~"},
}};

}  // namespace

std::string_view TerminalKeys::KeySequence(UINT virtualKey, bool cursorKeyMode) {
  for (const KeyCodes& key : kKeys) {
    if (key.virtualKey == virtualKey) return cursorKeyMode ? key.application : key.normal;
  }
  return {};
}

std::optional<UINT> TerminalKeys::KeyNamed(std::string_view name) {
  for (const KeyCodes& key : kKeys) {
    if (key.name == name) return key.virtualKey;
  }
  return std::nullopt;
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
