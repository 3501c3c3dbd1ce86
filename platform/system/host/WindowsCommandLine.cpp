#include "host/WindowsCommandLine.h"

namespace platform {
namespace {

// Only these separate arguments: a line end belongs to the argument.
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipBlanks(std::string_view line, std::size_t pos) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  return pos;
}

// A program name cannot hold quotes, so they get no escaping rules.
std::string ReadProgramName(std::string_view line, std::size_t& pos) {
  if (line.front() == '"') {
    const std::size_t close = line.find('"', 1);
    const std::size_t end = close == std::string_view::npos ? line.size() : close;
    pos = close == std::string_view::npos ? line.size() : close + 1;
    return std::string(line.substr(1, end - 1));
  }
  std::size_t end = 0;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  pos = end;
  return std::string(line.substr(0, end));
}

// Backslashes before a quote halve; an odd one out makes the quote literal,
// otherwise the quote is left for the caller to open or close.
void AppendBackslashes(std::string_view line, std::size_t& pos, std::string& argument) {
  std::size_t count = 0;
  while (pos < line.size() && line[pos] == '\\') {
    ++count;
    ++pos;
  }
  const bool beforeQuote = pos < line.size() && line[pos] == '"';
  argument.append(beforeQuote ? count / 2 : count, '\\');
  if (beforeQuote && count % 2 == 1) {
    argument += '"';
    ++pos;
  }
}

std::string ReadArgument(std::string_view line, std::size_t& pos) {
  std::string argument;
  bool inQuotes = false;
  while (pos < line.size() && (inQuotes || !IsBlank(line[pos]))) {
    const char c = line[pos];
    if (c == '\\') {
      AppendBackslashes(line, pos, argument);
    } else if (c != '"') {
      argument += c;
      ++pos;
    } else if (inQuotes && pos + 1 < line.size() && line[pos + 1] == '"') {
      argument += '"';
      pos += 2;
    } else {
      inQuotes = !inQuotes;
      ++pos;
    }
  }
  return argument;
}

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  if (commandLine.empty()) return arguments;
  std::size_t pos = 0;
  arguments.push_back(ReadProgramName(commandLine, pos));
  for (pos = SkipBlanks(commandLine, pos); pos < commandLine.size();
       pos = SkipBlanks(commandLine, pos)) {
    arguments.push_back(ReadArgument(commandLine, pos));
  }
  return arguments;
}

}  // namespace platform
