#include "host/WindowsCommandLine.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
namespace {

struct SplitCase {
  std::string line;
  std::vector<std::string> expected;
};

// Test names show the line with gtest's escapes, which ctest accepts.
void PrintTo(const SplitCase& c, std::ostream* out) { *out << ::testing::PrintToString(c.line); }

class SplitWindowsCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitWindowsCommandLineTest, GivesTheArgumentsTheCRuntimeGives) {
  EXPECT_EQ(SplitWindowsCommandLine(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    WindowsCommandLineProgramName, SplitWindowsCommandLineTest,
    ::testing::Values(
        SplitCase{"", {}},
        SplitCase{"prog.exe", {"prog.exe"}},
        SplitCase{"prog.exe a b", {"prog.exe", "a", "b"}},
        SplitCase{"prog.exe\ta", {"prog.exe", "a"}},
        SplitCase{"\"C:\\Program Files\\p.exe\" a", {"C:\\Program Files\\p.exe", "a"}},
        // No backslash processing in the name: the backslash stays, the quote ends it.
        SplitCase{"\"C:\\dir\\\" a", {"C:\\dir\\", "a"}},
        SplitCase{"C:\\dir\\\"x a", {"C:\\dir\\\"x", "a"}},
        SplitCase{"\"unclosed name", {"unclosed name"}},
        SplitCase{"\"\" a", {"", "a"}},
        SplitCase{" a", {"", "a"}},
        SplitCase{"\"p\"x y", {"p", "x", "y"}}));

INSTANTIATE_TEST_SUITE_P(
    WindowsCommandLineSeparators, SplitWindowsCommandLineTest,
    ::testing::Values(
        SplitCase{"p  a \t  b", {"p", "a", "b"}},
        SplitCase{"p a   ", {"p", "a"}},
        SplitCase{"p a\t", {"p", "a"}},
        // A line end is an ordinary character, also at the very end.
        SplitCase{"p \"C:\\x\\file.asn1\"\n", {"p", "C:\\x\\file.asn1\n"}},
        SplitCase{"p a\nb c", {"p", "a\nb", "c"}},
        SplitCase{"p\na", {"p\na"}},
        SplitCase{"p a\rb", {"p", "a\rb"}}));

INSTANTIATE_TEST_SUITE_P(
    WindowsCommandLineQuotes, SplitWindowsCommandLineTest,
    ::testing::Values(
        SplitCase{"p \"a b\" c", {"p", "a b", "c"}},
        SplitCase{"p a\"b c\"d", {"p", "ab cd"}},
        SplitCase{"p \"\"", {"p", ""}},
        SplitCase{"p \"\" \"\"", {"p", "", ""}},
        SplitCase{"p a \"\" b", {"p", "a", "", "b"}},
        SplitCase{"p \"a\"\"b\"", {"p", "a\"b"}},
        SplitCase{"p \"a\"\"b c\" d", {"p", "a\"b c", "d"}},
        SplitCase{"p \"\"\"\"", {"p", "\""}},
        SplitCase{"p \"unclosed a  b", {"p", "unclosed a  b"}},
        SplitCase{"p \"", {"p", ""}},
        SplitCase{"p \"a\"\t\"b\"", {"p", "a", "b"}}));

INSTANTIATE_TEST_SUITE_P(
    WindowsCommandLineBackslashes, SplitWindowsCommandLineTest,
    ::testing::Values(
        SplitCase{"p C:\\a\\b c\\\\d", {"p", "C:\\a\\b", "c\\\\d"}},
        SplitCase{"p a\\", {"p", "a\\"}},
        SplitCase{"p a\\\\", {"p", "a\\\\"}},
        // 2n backslashes and a quote: n backslashes, the quote opens or closes.
        SplitCase{"p \"a\\\\\" b", {"p", "a\\", "b"}},
        SplitCase{"p a\\\\\\\\\"b c\"", {"p", "a\\\\b c"}},
        // 2n+1 backslashes and a quote: n backslashes and a literal quote.
        SplitCase{"p a\\\"b", {"p", "a\"b"}},
        SplitCase{"p a\\\\\\\"b c", {"p", "a\\\"b", "c"}},
        SplitCase{"p \"a\\\" b\"", {"p", "a\" b"}},
        SplitCase{"p \"C:\\Program Files\\\\\" x", {"p", "C:\\Program Files\\", "x"}},
        SplitCase{"p \\\\\\", {"p", "\\\\\\"}},
        SplitCase{"p \\\"", {"p", "\""}}));

TEST(WindowsCommandLine, KeepsEveryOneOfThousandsOfArguments) {
  std::string line = "p";
  for (int i = 0; i < 5000; ++i) line += " a" + std::to_string(i);
  const std::vector<std::string> arguments = SplitWindowsCommandLine(line);
  ASSERT_EQ(arguments.size(), 5001u);
  EXPECT_EQ(arguments[1], "a0");
  EXPECT_EQ(arguments[5000], "a4999");
}

TEST(WindowsCommandLine, KeepsBytesAboveAsciiAsTheyAre) {
  const std::string line = "p \"caf\xE9 \x80\" \xFF";
  const std::vector<std::string> expected = {"p", "caf\xE9 \x80", "\xFF"};
  EXPECT_EQ(SplitWindowsCommandLine(line), expected);
}

}  // namespace
}  // namespace platform
