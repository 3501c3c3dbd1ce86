#pragma once
// What the keyboard sends to the program, as the terminal type named here
// sends it: a VT102, and for the keys a VT102 lacks (Insert, Delete, Home,
// End, Page Up and Down, F11, F12) the codes of a VT220's editing keypad and
// function keys. Keys with a character (Enter, Backspace, Tab, Escape,
// Ctrl+letter and text) arrive as that character, as the system turns them
// into WM_CHAR.

#include <optional>
#include <string>
#include <string_view>

#include "brenmoor/core/CString.h"
#include "brenmoor/core/WinTypes.h"

class TerminalKeys {
 public:
  // The TERM the programs are told, whose sequences the parser and the screen carry out.
  static constexpr const char* kTerm = "vt102";
  // The VT102's Backspace key sends BS: the line discipline's erase character too.
  static constexpr char kBackspace = 0x08;

  // The bytes a key without a character sends; empty for any other key.
  static std::string_view KeySequence(UINT virtualKey, bool cursorKeyMode);
  // The virtual-key code of a key of the table by its name ("Up", "Page Down", "F5").
  static std::optional<UINT> KeyNamed(std::string_view name);
  // A typed character as the terminal's byte (Windows-1252; "?" for what it cannot hold).
  static std::string CharacterBytes(wchar_t character);
  // Pasted text: line ends become CR, as typing them would send.
  static std::string PastedBytes(const CString& text);
};
