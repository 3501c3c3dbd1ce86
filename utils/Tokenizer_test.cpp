#include "brenmoor/utils/Tokenizer.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

// A string stream with a tokenizer over it, set up as the callers do.
struct Reader {
  explicit Reader(const std::wstring& text, bool skipWhiteSpace = true, wchar_t commentChar = 0)
      : stream(CString(text)), tokenizer(&stream, skipWhiteSpace, commentChar) {}
  StringTokenizerStream stream;
  Tokenizer tokenizer;
};

std::string FailureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const TokenizerException& error) {
    return error.what();
  }
  return "no exception";
}

TEST(TokenizerTest, ReadsARecordAndSeesTheEndAtItsLastCharacter) {
  Reader reader(L"120;80;-1;");
  Tokenizer& t = reader.tokenizer;
  for (int expected : {120, 80, -1}) {
    EXPECT_EQ(t.ReadInt(), expected);
    EXPECT_FALSE(t.Eof());
    t.Match(L';');
  }
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(FailureOf([&] { t.Match(L';'); }), "expected ';' at character offset 10");
}

TEST(TokenizerTest, ReadIntTakesSignsAndTheWholeRangeOfInt) {
  struct Case {
    std::wstring text;
    int value;
    std::wstring rest;
  };
  const std::vector<Case> cases = {
      {L"0", 0, L""},        {L"+5", 5, L""},       {L"-0", 0, L""},
      {L"007", 7, L""},      {L" \t7", 7, L""},     {L"12; ", 12, L"; "},
      {L"3x", 3, L"x"},      {L"2147483647", INT_MAX, L""},  {L"-2147483648", INT_MIN, L""},
  };
  for (const Case& c : cases) {
    Reader reader(c.text);
    EXPECT_EQ(reader.tokenizer.ReadInt(), c.value) << ::testing::PrintToString(c.text);
    EXPECT_EQ(reader.tokenizer.ReadUntil(L"").Str(), c.rest) << ::testing::PrintToString(c.text);
  }
}

TEST(TokenizerTest, ReadIntFailsWithoutDigitsOrBeyondInt) {
  const std::string none = "expected a decimal integer at character offset ";
  const std::string big = "expected a decimal integer within the range of int at character offset ";
  const std::vector<std::pair<std::wstring, std::string>> cases = {
      {L"", none + "0"},     {L";", none + "0"},    {L"-", none + "1"},          {L"+", none + "1"},
      {L"- 5", none + "1"},  {L"--5", none + "1"},  {L"  x", none + "2"},        {L"\xFF11", none + "0"},
      {L"2147483648", big + "0"},  {L"-2147483649", big + "0"},  {L" 99999999999999999999", big + "1"},
  };
  for (const auto& [text, message] : cases) {
    Reader reader(text);
    EXPECT_EQ(FailureOf([&] { reader.tokenizer.ReadInt(); }), message) << ::testing::PrintToString(text);
  }
  Reader unskipped(L" 7", false);
  EXPECT_EQ(FailureOf([&] { unskipped.tokenizer.ReadInt(); }), none + "0");
}

TEST(TokenizerTest, MatchSkipsBlanksButNotTheCharacterItWants) {
  Reader reader(L" \t;\t\t");
  for (wchar_t wanted : {L';', L'\t', L'\t'}) reader.tokenizer.Match(wanted);
  EXPECT_TRUE(reader.tokenizer.Eof());

  const std::vector<std::pair<wchar_t, std::string>> failures = {
      {L';', "expected ';' at character offset 1"},
      {L'\xE9', "expected '\xC3\xA9' at character offset 1"},
      {L'\0', "expected U+0000 at character offset 1"},
      {L'\n', "expected U+000A at character offset 1"},
  };
  for (const auto& [wanted, message] : failures) {
    Reader other(L" x");
    EXPECT_EQ(FailureOf([&] { other.tokenizer.Match(wanted); }), message);
  }
}

TEST(TokenizerTest, ReadUntilLeavesTheDelimiterAndNeverThrows) {
  Reader reader(L"ab,cd; e f ;;");
  Tokenizer& t = reader.tokenizer;
  EXPECT_EQ(t.ReadUntil(L",;"), L"ab");
  t.Match(L',');
  EXPECT_EQ(t.ReadUntil(L",;"), L"cd");
  t.Match(L';');
  EXPECT_EQ(t.ReadUntil(L";"), L" e f ");
  t.Match(L';');
  EXPECT_EQ(t.ReadUntil(L";"), L"");  // empty field between delimiters
  t.Match(L';');
  EXPECT_EQ(t.ReadUntil(L";"), L"");  // at the end
  EXPECT_TRUE(t.Eof());

  Reader abc(L"abc");
  EXPECT_EQ(abc.tokenizer.ReadUntil(L";"), L"abc");
  EXPECT_TRUE(abc.tokenizer.Eof());
  EXPECT_TRUE(Reader(L"").tokenizer.Eof());
  const std::wstring withZero(L"a\0b;", 4);
  EXPECT_EQ(Reader(withZero).tokenizer.ReadUntil(L";").Str(), withZero.substr(0, 3));
  EXPECT_EQ(Reader(L"a;b").tokenizer.ReadUntil(nullptr), L"a;b");
}

TEST(TokenizerTest, CommentsRunToTheLineFeedWhereBlanksAreSkipped) {
  Reader reader(L"5 # five; six\n#\n6#", true, L'#');
  Tokenizer& t = reader.tokenizer;
  EXPECT_EQ(t.ReadInt(), 5);
  t.Match(L'\n');
  t.Match(L'\n');
  EXPECT_EQ(t.ReadInt(), 6);
  EXPECT_EQ(t.ReadUntil(L";"), L"#");
}

}  // namespace
