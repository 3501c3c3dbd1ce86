#include "brenmoor/win/SortKeys.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "ScopedEnvironment.h"

namespace {

TEST(SortKeysTest, IntegerKeysReadTheLeadingIntegerAndPutEmptyTextFirst) {
  const std::vector<std::pair<const wchar_t*, int>> cases = {
      {L"", INT_MIN}, {L"12abc", 12}, {L"abc", 0}, {L" -7", -7}, {L"4294967296", INT_MAX}, {L"-4294967296", INT_MIN},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(IntegerKey(text).Value(), expected);
  EXPECT_TRUE(IntegerKey(L"") < IntegerKey(L"-2147483647"));
}

TEST(SortKeysTest, DoubleKeysReadTheLeadingNumberWithAPointAndPutEmptyTextFirst) {
  const std::vector<std::pair<const wchar_t*, double>> cases = {
      {L"2.5", 2.5}, {L"1,5", 1.0}, {L"x", 0.0}, {L"-1e2", -100.0}, {L"\x20AC" L"5", 0.0}, {L" .5kg", 0.5},
  };
  for (const auto& [text, expected] : cases) EXPECT_DOUBLE_EQ(DoubleKey(text).Value(), expected);
  EXPECT_EQ(DoubleKey(L"").Value(), -1.7976931348623157e308);
  EXPECT_TRUE(DoubleKey(L"") < DoubleKey(L"-1e308"));
}

TEST(SortKeysTest, TextKeysIgnoreTheCaseOfAToZOnly) {
  EXPECT_EQ(TextKey(L"ApPLE \x00C9t\x00E9 Z").Value(), L"apple \x00C9t\x00E9 z");
  EXPECT_FALSE(TextKey(L"Apple") < TextKey(L"APPLE"));
  EXPECT_FALSE(TextKey(L"APPLE") < TextKey(L"apple"));
  EXPECT_TRUE(TextKey(L"Zebra") < TextKey(L"\x00C9t\x00E9"));
  EXPECT_TRUE(TextKey(L"a_") < TextKey(L"ab"));  // '_' sorts after 'Z' but before 'b'
}

TEST(SortKeysTest, DateKeysThatDoNotParseComeFirstAndAreEqualToEachOther) {
  const testsupport::ScopedEnvironment locale("LC_ALL", "en_US.UTF-8");
  const DateTimeKey early(L"1/1/100");
  const DateTimeKey late(L"6/30/2011 01:20:34");
  EXPECT_TRUE(early < late);
  EXPECT_FALSE(late < early);
  for (const wchar_t* text : {L"", L"True", L"0"}) {
    const DateTimeKey invalid(text);
    EXPECT_EQ(invalid.Value().GetStatus(), COleDateTime::invalid);
    EXPECT_TRUE(invalid < early);
    EXPECT_FALSE(early < invalid);
    EXPECT_FALSE(invalid < DateTimeKey(L"True"));
    EXPECT_FALSE(DateTimeKey(L"") < invalid);
  }
}

}  // namespace
