#include "brenmoor/utils/TokenizerStream.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Reads = std::vector<std::pair<wchar_t, bool>>;  // each NextChar, and AtEnd after it

TEST(StringTokenizerStreamTest, YieldsEachUnitThenZeroWithTheEndFlag) {
  const std::vector<std::pair<std::wstring, Reads>> cases = {
      {L"ab", {{L'a', false}, {L'b', false}, {0, true}, {0, true}}},
      {L"", {{0, true}}},
      {std::wstring(L"a\0b", 3), {{L'a', false}, {0, false}, {L'b', false}, {0, true}}},
      {L"\xD83D\xDE00", {{0xD83D, false}, {0xDE00, false}, {0, true}}},  // a pair stays two units
  };
  for (const auto& [text, expected] : cases) {
    StringTokenizerStream stream{CString(text)};
    TokenizerStream& source = stream;
    EXPECT_FALSE(source.AtEnd());
    Reads reads;
    while (reads.size() < expected.size()) {
      const wchar_t unit = source.NextChar();
      reads.emplace_back(unit, source.AtEnd());
    }
    EXPECT_EQ(reads, expected) << ::testing::PrintToString(text);
  }
}

}  // namespace
