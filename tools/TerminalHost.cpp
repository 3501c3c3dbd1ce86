// Plays a recorded terminal session into libwin's screen model and shows the
// screen it leaves: as a PNG drawn cell by cell while the bytes arrive, as a
// printed PDF page, and, with a selection, as the selected text on stdout.
// With --pty it is a live terminal instead: the command (the user's shell
// when none is given) runs on a pseudo-terminal in a terminal window until
// it ends, and its exit status is the tool's. Without a screen the last
// screen goes to stdout as text; on screen, the screen as it is goes there
// as text whenever the tool gets SIGUSR1.
//
//   terminal_host [--select r1,c1:r2,c2] <session file|-> <out.png> <out.pdf>
//   terminal_host --pty [COMMAND...]

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "GridLayout.h"
#include "EscapeParser.h"
#include "TerminalLook.h"
#include "TerminalPrinting.h"
#include "TerminalWindow.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/win/ScreenBuffer.h"
#include "brenmoor/win/ScreenCharRenderer.h"
#include "brenmoor/windowing/Screen.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

// How long the live terminal waits for output between two frames at most.
constexpr int kFrameMilliseconds = 16;
// As a terminal whose window was closed ends: its command was hung up on.
constexpr int kClosedByThePerson = 0;

struct Options {
  std::optional<std::pair<CursorPos, CursorPos>> selection;
  std::string session;
  std::string png;
  std::string pdf;
};

int Usage() {
  std::fputs("usage: terminal_host [--select r1,c1:r2,c2] <session file|-> <out.png> <out.pdf>\n"
             "       terminal_host --pty [COMMAND...]\n",
             stderr);
  return 2;
}

std::optional<std::pair<CursorPos, CursorPos>> ParseSelection(const std::string& text) {
  int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%d,%d:%d,%d%c", &r1, &c1, &r2, &c2, &end) != 4) {
    return std::nullopt;
  }
  return std::make_pair(CursorPos(r1, c1), CursorPos(r2, c2));
}

std::optional<Options> ParseArguments(int argc, char** argv) {
  Options options;
  int next = 1;
  if (next < argc && std::string(argv[next]) == "--select") {
    if (next + 1 >= argc) return std::nullopt;
    options.selection = ParseSelection(argv[next + 1]);
    if (!options.selection) return std::nullopt;
    next += 2;
  }
  if (argc - next != 3) return std::nullopt;
  options.session = argv[next];
  options.png = argv[next + 1];
  options.pdf = argv[next + 2];
  return options;
}

std::optional<std::string> ReadSession(const std::string& name) {
  if (name == "-") {
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  std::ifstream file(name, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The clipboard's line ends are CR LF; a Linux terminal wants LF, and a last one.
std::string WithLineFeeds(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  if (!out.empty() && out.back() != '\n') out += '\n';
  return out;
}

int Run(const Options& options) {
  const std::optional<std::string> session = ReadSession(options.session);
  if (!session) {
    std::fprintf(stderr, "terminal_host: cannot read %s\n", options.session.c_str());
    return 1;
  }

  GridLayout layout;
  layout.ChangeLayout(terminal_look::kColours, terminal_look::kFace, terminal_look::kHeight, false, false);
  const CSize cell = layout.CharCellSize();
  ScreenBuffer screen(layout);
  const auto surfaceFor = [&] {
    return std::make_unique<RasterSurface>(screen.VisColumns() * cell.cx,
                                           screen.VisRows() * cell.cy, layout.GetBkColor());
  };
  std::unique_ptr<RasterSurface> image = surfaceFor();
  auto dc = std::make_unique<CDC>(*image);
  screen.SetDC(dc.get());
  EscapeParser parser(screen);
  parser.Feed(*session);
  if (options.selection) screen.Select(options.selection->first, options.selection->second);
  // A session that resized the screen is shown at its final size.
  if (image->Width() != screen.VisColumns() * cell.cx ||
      image->Height() != screen.VisRows() * cell.cy) {
    screen.SetDC(nullptr);
    dc.reset();
    image = surfaceFor();
    dc = std::make_unique<CDC>(*image);
  }
  screen.Refresh(dc.get());
  screen.SetDC(nullptr);

  int status = 0;
  if (!image->WritePng(options.png)) {
    std::fprintf(stderr, "terminal_host: cannot write %s\n", options.png.c_str());
    status = 1;
  }
  if (!PrintScreen(screen, options.pdf)) {
    std::fprintf(stderr, "terminal_host: cannot write %s\n", options.pdf.c_str());
    status = 1;
  }
  std::fprintf(stderr, "terminal_host: %zu bytes, a screen of %d x %d cells; %s: %d x %d pixels\n",
               session->size(), screen.VisRows(), screen.VisColumns(), options.png.c_str(),
               image->Width(), image->Height());
  std::fflush(stderr);
  if (options.selection) std::fputs(WithLineFeeds(screen.SelectedText().ToUtf8()).c_str(), stdout);
  return status;
}

std::wstring CaptionOf(const std::vector<std::string>& command) {
  std::string caption = "Terminal";
  for (const std::string& argument : command) caption += (&argument == &command.front() ? " - " : " ") + argument;
  return CString::FromUtf8(caption).GetString();
}

volatile std::sig_atomic_t screenTextAsked = 0;

void AskForScreenText(int) { screenTextAsked = 1; }

void WriteScreenText(const TerminalWindow& window) {
  std::fputs(window.ScreenText().c_str(), stdout);
  std::fflush(stdout);
}

int RunLive(const std::vector<std::string>& command) {
  std::signal(SIGUSR1, AskForScreenText);
  TerminalWindow window;
  std::string error;
  if (!window.Open(CaptionOf(command), {command}, error)) {
    std::fprintf(stderr, "terminal_host: %s\n", error.c_str());
    return 1;
  }
  for (;;) {
    PumpPostedMessages();
    // On screen the person's input goes in between the command's output; a
    // window the person closed hangs up on the command.
    if (IsOnScreen() && (!PumpScreen(0) || window.GetSafeHwnd() == nullptr)) return kClosedByThePerson;
    if (const std::optional<int> status = window.Pump()) {
      // On screen the last screen reaches the display before the window
      // goes; headless it goes to standard output as text.
      if (!PumpScreen(0)) WriteScreenText(window);
      return *status;
    }
    if (screenTextAsked != 0) {
      screenTextAsked = 0;
      WriteScreenText(window);
    }
    window.WaitForOutput(kFrameMilliseconds);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "--pty") return RunLive(std::vector<std::string>(argv + 2, argv + argc));
  const std::optional<Options> options = ParseArguments(argc, argv);
  if (!options) return Usage();
  return Run(*options);
}
