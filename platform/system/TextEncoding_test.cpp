#include "TextEncoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform::encoding {
namespace {

using namespace std::string_view_literals;

TEST(TextEncodingTest, Utf8FromAnsiMapsEveryKindOfByte) {
  const std::vector<std::pair<std::string_view, std::string_view>> cases = {
      {"", ""},
      {"plain text", "plain text"},
      {"\0"sv, "\0"sv},
      {"\x7F", "\x7F"},
      {"\x80", "\xE2\x82\xAC"},      // euro sign
      {"\x81", "\xC2\x81"},          // undefined: C1 control of the same value
      {"\x8A", "\xC5\xA0"},          // S with caron
      {"\x8D", "\xC2\x8D"},          // undefined
      {"\x8F", "\xC2\x8F"},          // undefined
      {"\x90", "\xC2\x90"},          // undefined
      {"\x99", "\xE2\x84\xA2"},      // trade mark
      {"\x9D", "\xC2\x9D"},          // undefined
      {"\x9F", "\xC5\xB8"},          // Y with diaeresis
      {"\xA0", "\xC2\xA0"},          // first byte of the Latin-1 half
      {"\xE9", "\xC3\xA9"},          // e acute
      {"\xFF", "\xC3\xBF"},          // y with diaeresis
      {"caf\xE9 \x80", "caf\xC3\xA9 \xE2\x82\xAC"},
  };
  for (const auto& [ansi, utf8] : cases) EXPECT_EQ(Utf8FromAnsi(ansi), utf8) << ::testing::PrintToString(ansi);
}

TEST(TextEncodingTest, EveryAnsiByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::string utf8 = Utf8FromAnsi(all);
  EXPECT_EQ(AnsiFromUtf8(utf8), all);
  EXPECT_EQ(Utf16FromUtf8(utf8).size(), 256u);
}

TEST(TextEncodingTest, AnsiFromUtf8MapsOrReplacesCharacters) {
  const std::vector<std::pair<std::string_view, std::string_view>> cases = {
      {"", ""},
      {"plain", "plain"},
      {"\xE2\x82\xAC", "\x80"},
      {"\xC2\x81", "\x81"},
      {"\xC5\xB8", "\x9F"},
      {"\xC3\xBF", "\xFF"},
      {"\xC2\x80", "?"},          // U+0080 is not in the code page: 0x80 is the euro sign
      {"\xC4\x80", "?"},          // U+0100, just past Latin-1
      {"\xE4\xB8\xAD", "?"},      // CJK
      {"\xF0\x9F\x98\x80", "?"},  // outside the BMP: one character, one '?'
      {"a\xE2\x84\xA2z", "a\x99z"},
  };
  for (const auto& [utf8, ansi] : cases) EXPECT_EQ(AnsiFromUtf8(utf8), ansi) << ::testing::PrintToString(utf8);
}

TEST(TextEncodingTest, AnsiFromUtf8KeepsInvalidBytesAsTheyAre) {
  const std::vector<std::string_view> cases = {
      "\xE9",              // lone Latin-1 byte
      "caf\xE9",           // at the end
      "\xC3",              // truncated two-byte sequence
      "\xE2\x82",          // truncated three-byte sequence
      "\xC0\xAF",          // overlong
      "\xED\xA0\x80",      // encoded surrogate
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\xF8\x88\x80\x80",  // five-byte lead
      "\x80\xBF",          // continuation bytes alone
  };
  for (std::string_view bytes : cases) EXPECT_EQ(AnsiFromUtf8(bytes), bytes) << ::testing::PrintToString(bytes);
  EXPECT_EQ(AnsiFromUtf8("a\xE9" "b\xE2\x82\xAC"), "a\xE9" "b\x80");
}

TEST(TextEncodingTest, Utf8FromUtf16EncodesEachLengthBoundary) {
  const std::vector<std::pair<std::u16string, std::string_view>> cases = {
      {u"", ""},
      {u"A", "A"},
      {std::u16string(1, u'\0'), "\0"sv},
      {u"\u007F", "\x7F"},
      {u"\u0080", "\xC2\x80"},
      {u"\u07FF", "\xDF\xBF"},
      {u"\u0800", "\xE0\xA0\x80"},
      {u"\uD7FF", "\xED\x9F\xBF"},
      {u"\uE000", "\xEE\x80\x80"},
      {u"\uFFFF", "\xEF\xBF\xBF"},
      {u"\U00010000", "\xF0\x90\x80\x80"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& [utf16, utf8] : cases) EXPECT_EQ(Utf8FromUtf16(utf16), utf8) << ::testing::PrintToString(utf8);
}

TEST(TextEncodingTest, Utf8FromUtf16ReplacesUnpairedSurrogates) {
  const std::string_view replacement = "\xEF\xBF\xBD";
  const std::vector<std::pair<std::u16string, std::string>> cases = {
      {{0xD800}, std::string(replacement)},
      {{0xDC00}, std::string(replacement)},
      {{0xDBFF, u'A'}, std::string(replacement) + "A"},
      {{u'A', 0xDFFF, u'B'}, "A" + std::string(replacement) + "B"},
      {{0xDC00, 0xD800}, std::string(replacement) + std::string(replacement)},
      {{0xD800, 0xD800, 0xDC00}, std::string(replacement) + "\xF0\x90\x80\x80"},
  };
  for (const auto& [utf16, utf8] : cases) EXPECT_EQ(Utf8FromUtf16(utf16), utf8) << ::testing::PrintToString(utf8);
}

TEST(TextEncodingTest, Utf16FromUtf8DecodesValidText) {
  const std::vector<std::pair<std::string_view, std::u16string>> cases = {
      {"", u""},
      {"A", u"A"},
      {"\xC2\x80", u"\u0080"},
      {"\xDF\xBF", u"\u07FF"},
      {"\xE0\xA0\x80", u"\u0800"},
      {"\xEF\xBF\xBF", u"\uFFFF"},
      {"\xF0\x90\x80\x80", u"\U00010000"},
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {"a\xE2\x82\xAC" "b", u"a\u20ACb"},
  };
  for (const auto& [utf8, utf16] : cases) EXPECT_EQ(Utf16FromUtf8(utf8), utf16) << ::testing::PrintToString(utf8);
}

TEST(TextEncodingTest, Utf16FromUtf8ReplacesEachInvalidByte) {
  const std::u16string bad = u"\uFFFD";
  const std::vector<std::pair<std::string_view, std::u16string>> cases = {
      {"\xFF", bad},
      {"\xE2\x82", bad + bad},
      {"\xE2\x82" "A", bad + bad + u"A"},  // the letter after a broken sequence survives
      {"\xC0\xAF", bad + bad},
      {"\xED\xA0\x80", bad + bad + bad},
      {"\xF4\x90\x80\x80", bad + bad + bad + bad},
      {"\x80", bad},
  };
  for (const auto& [utf8, utf16] : cases) EXPECT_EQ(Utf16FromUtf8(utf8), utf16) << ::testing::PrintToString(utf8);
}

std::u16string Utf16Of(char32_t cp) {
  if (cp < 0x10000) return std::u16string(1, static_cast<char16_t>(cp));
  return {static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)), static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF))};
}

std::size_t Utf8LengthOf(char32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

TEST(TextEncodingTest, EveryCodePointSurvivesUtf16ToUtf8AndBack) {
  std::size_t failures = 0;
  for (char32_t cp = 0; cp <= 0x10FFFF && failures < 5; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::u16string utf16 = Utf16Of(cp);
    const std::string utf8 = Utf8FromUtf16(utf16);
    if (utf8.size() != Utf8LengthOf(cp) || Utf16FromUtf8(utf8) != utf16) {
      ++failures;
      ADD_FAILURE() << "code point " << static_cast<std::uint32_t>(cp);
    }
  }
}

}  // namespace
}  // namespace platform::encoding
