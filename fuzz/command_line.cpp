// The Windows command-line splitter: an argument list quoted back into a
// command line splits into the same arguments.

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "host/WindowsCommandLine.h"

namespace {

bool HasBlank(const std::string& text) { return text.find_first_of(" \t") != std::string::npos; }

// A program name never holds a quote and a blank together: quoting it is enough.
std::string QuoteProgramName(const std::string& name) {
  return name.empty() || HasBlank(name) ? "\"" + name + "\"" : name;
}

// The C runtime's rules backwards: backslashes double before a quote and at
// the end of a quoted argument; a quote is escaped.
std::string QuoteArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    quoted += c;
    backslashes = 0;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

std::string Join(const std::vector<std::string>& arguments) {
  std::string line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) line += ' ';
    line += i == 0 ? QuoteProgramName(arguments[i]) : QuoteArgument(arguments[i]);
  }
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> arguments =
      platform::SplitWindowsCommandLine(fuzzing::AsText(data, size));
  fuzzing::Require(platform::SplitWindowsCommandLine(Join(arguments)) == arguments,
                   "a re-quoted command line splits into the same arguments");
  return 0;
}
