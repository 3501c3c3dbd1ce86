// Runs a command in the live terminal and types a script into it as a
// person would, through the window's key messages, writing the screen after
// each step once the command has gone quiet: for comparing the terminal
// with others on the same keys, and for trying programs without a person.
// With BRENMOOR_SCREEN=sdl the window shows on the display meanwhile.
//
//   terminal_script <script> <out folder> [COMMAND...]
//
// Each line of the script is one step: the text typed, with \r, \n, \t, \e,
// \\ and \xHH for control characters and {Name} for a key without one
// ({Up}, {Page Down}, {F5}, ...); an empty line types nothing and waits for
// the screen to change. The screen before any step is screen-00.txt, after
// step N screen-NN.txt. The tool's
// status is the command's, or 124 when the command has not ended by the end.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "TerminalKeys.h"
#include "TerminalWindow.h"
#include "brenmoor/windowing/Screen.h"

namespace {

using Clock = std::chrono::steady_clock;
// The command has answered a step when its screen stays the same this long.
constexpr auto kQuiet = std::chrono::milliseconds(300);
// What a step, and the command's end after the last one, may take at most.
constexpr auto kLongestStep = std::chrono::seconds(10);
constexpr int kPollMilliseconds = 20;
constexpr int kNotEnded = 124;

// A character typed (WM_CHAR) or a key pressed (WM_KEYDOWN).
using Keystroke = std::variant<wchar_t, UINT>;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Null, with the reason in error, for a line that does not read.
std::optional<std::vector<Keystroke>> ParseStep(const std::string& line, std::string& error) {
  std::vector<Keystroke> keys;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '{') {
      const std::size_t close = line.find('}', i);
      const std::optional<UINT> key =
          close == std::string::npos ? std::nullopt : TerminalKeys::KeyNamed(line.substr(i + 1, close - i - 1));
      if (!key) {
        error = "no key named " + line.substr(i);
        return std::nullopt;
      }
      keys.emplace_back(*key);
      i = close;
    } else if (c == '\\' && i + 1 < line.size()) {
      const char e = line[++i];
      if (e == 'x' && i + 2 < line.size() && HexDigit(line[i + 1]) >= 0 && HexDigit(line[i + 2]) >= 0) {
        keys.emplace_back(static_cast<wchar_t>(HexDigit(line[i + 1]) * 16 + HexDigit(line[i + 2])));
        i += 2;
      } else if (e == 'r' || e == 'n' || e == 't' || e == 'e' || e == '\\') {
        keys.emplace_back(e == 'r' ? L'\r' : e == 'n' ? L'\n' : e == 't' ? L'\t' : e == 'e' ? L'\x1b' : L'\\');
      } else {
        error = std::string("unknown escape \\") + e;
        return std::nullopt;
      }
    } else {
      keys.emplace_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
  }
  return keys;
}

void Press(TerminalWindow& window, const Keystroke& key) {
  if (const wchar_t* character = std::get_if<wchar_t>(&key)) {
    window.SendMessage(WM_CHAR, *character);
  } else {
    window.SendMessage(WM_KEYDOWN, std::get<UINT>(key));
  }
}

// Pumps until the command has answered (the screen changed) and the screen
// has then stayed the same for a while, the command has ended, or the bound
// has passed; the command's status once it has ended. A busy machine may
// keep the command from answering for longer than the quiet time.
std::optional<int> SettleScreen(TerminalWindow& window) {
  std::string shown = window.ScreenText();
  std::optional<Clock::time_point> changed;
  for (const auto end = Clock::now() + kLongestStep; Clock::now() < end;) {
    PumpPostedMessages();
    PumpScreen(0);
    if (const std::optional<int> status = window.Pump()) return status;
    const std::string now = window.ScreenText();
    if (now != shown) {
      shown = now;
      changed = Clock::now();
    } else if (changed && Clock::now() - *changed >= kQuiet) {
      return std::nullopt;
    }
    window.WaitForOutput(kPollMilliseconds);
  }
  return std::nullopt;
}

bool WriteScreen(TerminalWindow& window, const std::filesystem::path& folder, int step) {
  char name[32];
  std::snprintf(name, sizeof name, "screen-%02d.txt", step);
  std::ofstream out(folder / name, std::ios::binary);
  out << window.ScreenText();
  return static_cast<bool>(out);
}

int Usage() {
  std::fputs("usage: terminal_script <script> <out folder> [COMMAND...]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::ifstream file(argv[1]);
  if (!file) {
    std::fprintf(stderr, "terminal_script: cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<std::vector<Keystroke>> steps;
  std::string error;
  for (std::string line; std::getline(file, line);) {
    const auto keys = ParseStep(line, error);
    if (!keys) {
      std::fprintf(stderr, "terminal_script: %s, line %zu: %s\n", argv[1], steps.size() + 1, error.c_str());
      return 1;
    }
    steps.push_back(*keys);
  }
  const std::filesystem::path folder = argv[2];
  std::error_code made;
  std::filesystem::create_directories(folder, made);

  TerminalWindow window;
  const std::vector<std::string> command(argv + 3, argv + argc);
  if (!window.Open(L"Terminal", {command}, error)) {
    std::fprintf(stderr, "terminal_script: %s\n", error.c_str());
    return 1;
  }
  std::optional<int> status = SettleScreen(window);
  bool written = WriteScreen(window, folder, 0);
  for (std::size_t step = 0; step < steps.size() && !status; ++step) {
    for (const Keystroke& key : steps[step]) Press(window, key);
    status = SettleScreen(window);
    written = WriteScreen(window, folder, static_cast<int>(step) + 1) && written;
  }
  for (const auto end = Clock::now() + kLongestStep; !status && Clock::now() < end;) {
    window.WaitForOutput(kPollMilliseconds);
    status = window.Pump();
  }
  if (!written) {
    std::fprintf(stderr, "terminal_script: cannot write the screens into %s\n", argv[2]);
    return 1;
  }
  return status.value_or(kNotEnded);
}
