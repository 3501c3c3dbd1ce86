#include "TerminalKeys.h"

#include <gtest/gtest.h>

namespace {

TEST(TerminalKeys, KeysWithoutCharactersAsAVt102AndVt220SendThem) {
  struct Case {
    const char* key;
    UINT virtualKey;
    const char* normal;
    const char* application;
  };
  const Case cases[] = {
      {"Up", 0x26, "\x1b[A", "\x1bOA"},        {"Down", 0x28, "\x1b[B", "\x1bOB"},
      {"Right", 0x27, "\x1b[C", "\x1bOC"},     {"Left", 0x25, "\x1b[D", "\x1bOD"},
      {"Home", 0x24, "\x1b[1~", "\x1b[1~"},    {"End", 0x23, "\x1b[4~", "\x1b[4~"},
      {"Insert", 0x2D, "\x1b[2~", "\x1b[2~"},  {"Delete", 0x2E, "\x1b[3~", "\x1b[3~"},
      {"Page Up", 0x21, "\x1b[5~", "\x1b[5~"}, {"Page Down", 0x22, "\x1b[6~", "\x1b[6~"},
      {"F1", 0x70, "\x1bOP", "\x1bOP"},        {"F2", 0x71, "\x1bOQ", "\x1bOQ"},
      {"F3", 0x72, "\x1bOR", "\x1bOR"},        {"F4", 0x73, "\x1bOS", "\x1bOS"},
      {"F5", 0x74, "\x1bOt", "\x1bOt"},        {"F6", 0x75, "\x1bOu", "\x1bOu"},
      {"F7", 0x76, "\x1bOv", "\x1bOv"},        {"F8", 0x77, "\x1bOl", "\x1bOl"},
      {"F9", 0x78, "\x1bOw", "\x1bOw"},        {"F10", 0x79, "\x1bOx", "\x1bOx"},
      {"F11", 0x7A, "\x1b[23~", "\x1b[23~"},   {"F12", 0x7B, "\x1b[24~", "\x1b[24~"},
      {"Shift", 0x10, "", ""},                 {"letter A", 'A', "", ""},
      {"Enter", 0x0D, "", ""},                 {"F13", 0x7C, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TerminalKeys::KeySequence(c.virtualKey, false), c.normal) << c.key;
    EXPECT_EQ(TerminalKeys::KeySequence(c.virtualKey, true), c.application) << c.key << " in cursor-key mode";
    // Scripts name the keys of the table as the table does.
    const std::optional<UINT> named = TerminalKeys::KeyNamed(c.key);
    EXPECT_EQ(named, *c.normal != '\0' ? std::optional<UINT>(c.virtualKey) : std::nullopt) << c.key;
  }
}

TEST(TerminalKeys, TypedCharactersAsTheTerminalsBytes) {
  struct Case {
    wchar_t typed;
    std::string bytes;
  };
  const Case cases[] = {
      {L'a', "a"},       {L'\r', "\r"},       {L'\b', "\b"},   {L'\t', "\t"},     {L'\x1b', "\x1b"},
      {L'\x03', "\x03"}, {L'\x1a', "\x1a"},   {L'\n', "\n"},   {L'\u00e9', "\xe9"}, {L'\u20ac', "\x80"},
      {L'\u2603', "?"},  {L'\xd800', "?"},
  };
  for (const Case& c : cases) EXPECT_EQ(TerminalKeys::CharacterBytes(c.typed), c.bytes) << int(c.typed);
}

TEST(TerminalKeys, PastedLinesEndInCarriageReturns) {
  EXPECT_EQ(TerminalKeys::PastedBytes(L"one\r\ntwo\nthree\r\n"), "one\rtwo\rthree\r");
  EXPECT_EQ(TerminalKeys::PastedBytes(L"caf\u00e9 \u2603"), "caf\xe9 ?");
  EXPECT_EQ(TerminalKeys::PastedBytes(L""), "");
}

}  // namespace
