#include "brenmoor/core/CRuntimeNumbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

TEST(CRuntimeNumbersTest, WtoiReadsTheLeadingIntegerAndSaturatesBeyond32Bits) {
  const std::vector<std::pair<const wchar_t*, int>> cases = {
      {L"", 0},
      {L"42", 42},
      {L" \t-17x", -17},
      {L"+8", 8},
      {L"12abc", 12},
      {L"abc", 0},
      {L"- 5", 0},
      {L"\n5", 0},
      {L"2147483647", INT_MAX},
      {L"2147483648", INT_MAX},
      {L"4294967296", INT_MAX},
      {L"-2147483648", INT_MIN},
      {L"-2147483649", INT_MIN},
      {L"-99999999999999999999999", INT_MIN},
      {L"007", 7},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(crt::wtoi(text), expected);
}

TEST(CRuntimeNumbersTest, AtofReadsTheLeadingNumberWithAPoint) {
  const std::vector<std::pair<const char*, double>> cases = {
      {"", 0.0},       {"1.5", 1.5},     {"  -2.5e3x", -2500.0}, {".5", 0.5},    {"5.", 5.0},
      {".", 0.0},      {"1e", 1.0},      {"1e+2", 100.0},        {"abc", 0.0},   {"1,5", 1.0},
      {"+3", 3.0},     {"0x10", 0.0},    {"-.5e-1", -0.05},      {"\t7 8", 7.0}, {"1.2.3", 1.2},
  };
  for (const auto& [text, expected] : cases) EXPECT_DOUBLE_EQ(crt::atof(text), expected) << text;
  EXPECT_EQ(crt::atof("1e400"), std::numeric_limits<double>::infinity());
  // Bit for bit as strtod, at the edges of rounding and range too.
  for (const char* text : {"0.1", "9007199254740993", "2.2250738585072011e-308", "4.9e-324", "1e-400",
                           "1.7976931348623157e308", "1.7976931348623159e308", "-0", "+.5e+1", "123456.789012"}) {
    EXPECT_EQ(crt::atof(text), std::strtod(text, nullptr)) << text;
    EXPECT_EQ(std::signbit(crt::atof(text)), std::signbit(std::strtod(text, nullptr))) << text;
  }
}

}  // namespace
