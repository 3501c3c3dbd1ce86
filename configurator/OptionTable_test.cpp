#include "OptionTable.h"

#include <gtest/gtest.h>

namespace configurator {
namespace {

TEST(OptionTableTest, OptionWordsAreDashAndANonDigit) {
  EXPECT_TRUE(OptionTable::IsOptionWord("-x"));
  EXPECT_TRUE(OptionTable::IsOptionWord("-c"));
  EXPECT_TRUE(OptionTable::IsOptionWord("--"));
  EXPECT_TRUE(OptionTable::IsOptionWord("-kestle"));
  EXPECT_FALSE(OptionTable::IsOptionWord("-"));
  EXPECT_FALSE(OptionTable::IsOptionWord("-5"));
  EXPECT_FALSE(OptionTable::IsOptionWord("-0x"));
  EXPECT_FALSE(OptionTable::IsOptionWord(""));
  EXPECT_FALSE(OptionTable::IsOptionWord("c"));
  EXPECT_FALSE(OptionTable::IsOptionWord("x-c"));
}

struct ParseCase {
  std::vector<std::string> arguments;
  std::size_t words;
  std::string word;
  std::vector<std::string> values;  // all values of word, in order
};

void PrintTo(const ParseCase& c, std::ostream* out) {
  for (const auto& argument : c.arguments) *out << "[" << argument << "]";
}

class OptionTableParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(OptionTableParseTest, GivesTheValuesInOrder) {
  const ParseCase& c = GetParam();
  OptionTable table;
  EXPECT_EQ(table.Parse(c.arguments), c.words);
  for (std::size_t n = 0; n < c.values.size(); ++n) {
    EXPECT_EQ(table.Value(c.word, n), c.values[n]) << "value " << n;
  }
  EXPECT_EQ(table.Value(c.word, c.values.size()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OptionTableParseTest,
    testing::Values(
        ParseCase{{}, 0, "-c", {}},
        ParseCase{{"foo"}, 0, "-c", {}},
        ParseCase{{"foo", "-c", "x"}, 1, "-c", {"x"}},
        ParseCase{{"-d", "C:\\new", "C:\\old"}, 1, "-d", {"C:\\new", "C:\\old"}},
        ParseCase{{"-c", "-d", "X"}, 2, "-c", {""}},
        ParseCase{{"-c", "-d", "X"}, 2, "-d", {"X"}},
        ParseCase{{"-c", "web_svr", "-d", "C:\\Web", "-d", "C:\\Other"}, 2, "-d", {"C:\\Web"}},
        ParseCase{{"-d", "a", "-d", "b", "c"}, 1, "-d", {"a", "c"}},
        ParseCase{{"-c", "-5"}, 1, "-c", {"-5"}},
        ParseCase{{"-c", "-"}, 1, "-c", {"-"}},
        ParseCase{{"-C", "x", "-c", "y"}, 2, "-c", {"y"}},
        ParseCase{{"-c", ""}, 1, "-c", {""}},
        ParseCase{{"-x"}, 1, "-x", {""}},
        ParseCase{{"-c", "a", "b", "c"}, 1, "-c", {"a", "b", "c"}}));

TEST(OptionTableTest, ParseStartsAfresh) {
  OptionTable table;
  table.Parse({"-c", "x"});
  EXPECT_EQ(table.Parse({"-d", "y"}), 1u);
  EXPECT_EQ(table.Value("-c", 0), std::nullopt);
}

TEST(OptionTableTest, ThousandsOfValues) {
  std::vector<std::string> arguments{"-d"};
  for (int i = 0; i < 5000; ++i) arguments.push_back(std::to_string(i));
  OptionTable table;
  EXPECT_EQ(table.Parse(arguments), 1u);
  EXPECT_EQ(table.Value("-d", 4999), "4999");
  EXPECT_EQ(table.Value("-d", 5000), std::nullopt);
}

}  // namespace
}  // namespace configurator
