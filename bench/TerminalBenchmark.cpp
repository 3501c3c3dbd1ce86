// The terminal screen model beside libvterm: the same prepared byte streams
// are decoded and applied by both, in the same run, and each reports the
// bytes it takes per second. One more benchmark drags a selection over a
// buffer that draws on a recording device context.
//
// The ScreenBuffer side decodes its bytes with the tools' escape parser, so
// that both sides pay for parsing. Neither side draws in the stream
// benchmarks: the buffer has no device context, libvterm's screen has no
// callbacks.
//
// Before timing, each stream is fed once to a fresh buffer and a fresh
// libvterm, and their screens (characters and bold, underline, reverse) are
// compared; a difference fails that benchmark, since the two would then not
// be doing the same work.

#include <benchmark/benchmark.h>
#include <vterm.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "brenmoor/gdi/CDC.h"
#include "EscapeParser.h"
#include "GridLayout.h"
#include "brenmoor/gdi/RecordingSurface.h"
#include "brenmoor/win/ScreenBuffer.h"

namespace {

constexpr int kRows = 24;
constexpr int kColumns = 80;
constexpr std::size_t kStreamSize = 4u << 20;
// What a host typically reads from its pty at once; both sides get the same pieces.
constexpr std::size_t kChunk = 4096;

// ---------------------------------------------------------------------------
// The streams, made once and the same on every run.

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state_ >> 33);
  }
  // In [low, high].
  int Between(int low, int high) {
    return low + static_cast<int>(Next() % static_cast<std::uint32_t>(high - low + 1));
  }

 private:
  std::uint64_t state_;
};

const char* const kWords[] = {
    "the", "quick", "brown", "fox", "jumps", "over", "lazy", "dog", "0x3f2a", "error:",
    "make", "[100%]", "Built", "target", "libwin", "g++", "-O2", "-Wall", "ok", "PASS",
    "FAIL", "cell", "row", "column", "cursor", "{", "}", "();", "==", "#include",
    "<vector>", "std::string", "return", "42", "3.14159", "/usr/lib", "a", "I", "-", "~/work",
};
constexpr int kWordCount = static_cast<int>(sizeof kWords / sizeof kWords[0]);

// Words and spaces, exactly length printable characters.
void AppendText(std::string& out, Random& random, int length) {
  bool space = false;
  for (int written = 0; written < length; space = !space) {
    if (space) {
      out += ' ';
      ++written;
      continue;
    }
    const std::string_view word = kWords[random.Between(0, kWordCount - 1)];
    const int take = std::min(static_cast<int>(word.size()), length - written);
    out.append(word.substr(0, static_cast<std::size_t>(take)));
    written += take;
  }
}

const char* const kAttributes[] = {"\x1b[1m", "\x1b[4m", "\x1b[7m", "\x1b[0m"};

// Lines of 0 to 79 characters, each ended by CR LF: the screen scrolls all the time.
std::string PlainTextStream() {
  Random random(1);
  std::string out;
  out.reserve(kStreamSize + 128);
  while (out.size() < kStreamSize) {
    AppendText(out, random, random.Between(0, kColumns - 1));
    out += "\r\n";
  }
  return out;
}

// Short runs of text, each at a position of its own (CSI row;col H) and
// after an attribute change (CSI 1m, 4m, 7m or 0m). No run reaches the last
// column, so no line wraps.
std::string CursorAttributeStream() {
  Random random(2);
  std::string out;
  out.reserve(kStreamSize + 128);
  char position[32];
  while (out.size() < kStreamSize) {
    const int row = random.Between(1, kRows);
    int col = random.Between(1, kColumns - 10);
    std::snprintf(position, sizeof position, "\x1b[%d;%dH", row, col);
    out += position;
    for (int runs = random.Between(1, 3); runs > 0 && col < kColumns - 1; --runs) {
      out += kAttributes[random.Between(0, 3)];
      const int length = std::min(random.Between(1, 12), kColumns - 1 - col);
      AppendText(out, random, length);
      col += length;
    }
  }
  return out;
}

// The scrolling region rows 5 to 20 (CSI 5;20 r), the cursor on its bottom
// row, then lines ended by CR LF there: every line feed scrolls the region.
std::string RegionScrollStream() {
  Random random(3);
  std::string out = "\x1b[5;20r\x1b[20;1H";
  out.reserve(kStreamSize + 128);
  while (out.size() < kStreamSize) {
    AppendText(out, random, random.Between(0, kColumns - 1));
    out += "\r\n";
  }
  return out;
}

// Text and attribute changes, together exactly length printable characters.
void AppendStyledText(std::string& out, Random& random, int length) {
  for (int written = 0; written < length;) {
    out += kAttributes[random.Between(0, 3)];
    const int run = std::min(random.Between(1, 12), length - written);
    AppendText(out, random, run);
    written += run;
  }
}

// A full screen painted again and again, as a full-screen program does: the
// cursor home, the display erased, then 24 rows of styled text short of the
// last column.
std::string FullRedrawStream() {
  Random random(4);
  std::string out;
  out.reserve(kStreamSize + 4096);
  while (out.size() < kStreamSize) {
    out += "\x1b[H\x1b[2J";
    for (int row = 1; row <= kRows; ++row) {
      AppendStyledText(out, random, random.Between(0, kColumns - 1));
      out += row < kRows ? "\r\n" : "\x1b[0m";
    }
  }
  return out;
}

// The scrolling region rows 5 to 20, and inside it lines inserted (CSI n L)
// or deleted (CSI n M) at a row of the region, each followed by a line of
// text written there.
std::string RegionInsertDeleteStream() {
  Random random(5);
  std::string out = "\x1b[5;20r";
  out.reserve(kStreamSize + 128);
  char sequence[32];
  while (out.size() < kStreamSize) {
    std::snprintf(sequence, sizeof sequence, "\x1b[%d;1H\x1b[%d%c", random.Between(5, 20),
                  random.Between(1, 3), random.Between(0, 1) == 0 ? 'L' : 'M');
    out += sequence;
    AppendText(out, random, random.Between(0, kColumns - 1));
  }
  return out;
}

enum StreamKind { kPlain, kCursorAttributes, kRegionScroll, kFullRedraw, kRegionInsertDelete };

const std::string& Stream(StreamKind kind) {
  static const std::string streams[] = {PlainTextStream(), CursorAttributeStream(),
                                        RegionScrollStream(), FullRedrawStream(),
                                        RegionInsertDeleteStream()};
  return streams[kind];
}

// ---------------------------------------------------------------------------
// The screens compared: a character and bold, underline, reverse per cell.

struct Cell {
  std::uint32_t ch = ' ';
  bool bold = false;
  bool underline = false;
  bool reverse = false;
  bool operator==(const Cell&) const = default;
};
using Screen = std::vector<Cell>;

std::string Describe(const Cell& cell) {
  std::string text = "'";
  text += cell.ch < 0x80 ? static_cast<char>(cell.ch) : '?';
  text += "'";
  if (cell.bold) text += " bold";
  if (cell.underline) text += " underline";
  if (cell.reverse) text += " reverse";
  return text;
}

// Empty when equal, else where and how they first differ.
std::string Difference(const Screen& buffer, const Screen& vterm) {
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      const Cell& a = buffer[static_cast<std::size_t>(row * kColumns + col)];
      const Cell& b = vterm[static_cast<std::size_t>(row * kColumns + col)];
      if (!(a == b)) {
        return "screens differ at row " + std::to_string(row + 1) + " column " +
               std::to_string(col + 1) + ": ScreenBuffer " + Describe(a) + ", libvterm " +
               Describe(b);
      }
    }
  }
  return {};
}

// ---------------------------------------------------------------------------
// libvterm: a screen with no callbacks, 24 x 80.

class Vterm {
 public:
  Vterm() : vt_(vterm_new(kRows, kColumns)), screen_(vterm_obtain_screen(vt_)) {
    vterm_screen_reset(screen_, 1);
  }
  ~Vterm() { vterm_free(vt_); }
  Vterm(const Vterm&) = delete;
  Vterm& operator=(const Vterm&) = delete;

  void Feed(const std::string& bytes) {
    for (std::size_t at = 0; at < bytes.size(); at += kChunk) {
      vterm_input_write(vt_, bytes.data() + at, std::min(kChunk, bytes.size() - at));
    }
  }

  Screen Contents() const {
    Screen screen(static_cast<std::size_t>(kRows * kColumns));
    for (int row = 0; row < kRows; ++row) {
      for (int col = 0; col < kColumns; ++col) {
        VTermScreenCell cell{};
        vterm_screen_get_cell(screen_, VTermPos{row, col}, &cell);
        Cell& out = screen[static_cast<std::size_t>(row * kColumns + col)];
        out.ch = cell.chars[0] == 0 ? ' ' : cell.chars[0];
        out.bold = cell.attrs.bold != 0;
        out.underline = cell.attrs.underline != 0;
        out.reverse = cell.attrs.reverse != 0;
      }
    }
    return screen;
  }

 private:
  VTerm* vt_;
  VTermScreen* screen_;
};

// ---------------------------------------------------------------------------
// The ScreenBuffer and what it needs: a layout holding its styles, measured
// on a recording surface instead of the screen.

constexpr COLORREF kColours[7] = {0xc0c0c0, 0x000000, 0x808080, 0xffffff,
                                  0x00c0c0, 0x000000, 0xc0c0c0};

class Terminal {
 public:
  Terminal() : measure_(CSize{8, 16}), substitute_(measure_) {
    layout_.ChangeLayout(kColours, L"Mono", -14, false, false);
    buffer_ = std::make_unique<ScreenBuffer>(layout_);
    buffer_->SetWindowSize(kRows, kColumns, false);
  }
  ScreenBuffer& Buffer() { return *buffer_; }

  Screen Contents() const {
    Screen screen(static_cast<std::size_t>(kRows * kColumns));
    for (int row = 0; row < kRows; ++row) {
      for (int col = 0; col < kColumns; ++col) {
        const ScreenChar* cell = buffer_->Cell(row, col);
        Cell& out = screen[static_cast<std::size_t>(row * kColumns + col)];
        if (cell == nullptr) continue;
        out.ch = static_cast<std::uint32_t>(cell->GetValue());
        const int mode = cell->GetStyle() != nullptr ? cell->GetStyle()->GetMode() : 0;
        out.bold = (mode & 0x01) != 0;
        out.underline = (mode & 0x04) != 0;
        out.reverse = (mode & 0x10) != 0;
      }
    }
    return screen;
  }

 private:
  RecordingSurface measure_;
  CScreenDC::Substitute substitute_;
  GridLayout layout_;
  std::unique_ptr<ScreenBuffer> buffer_;
};

// The tools' escape parser, the decoder a host feeds its pty's bytes to,
// takes them in the same pieces as libvterm.
void FeedBuffer(EscapeParser& parser, const std::string& bytes) {
  const std::string_view all(bytes);
  for (std::size_t at = 0; at < all.size(); at += kChunk) parser.Feed(all.substr(at, kChunk));
}

// libvterm's screen after the stream, from a fresh start.
const Screen& VtermReference(StreamKind kind) {
  static std::map<StreamKind, Screen> screens;
  auto found = screens.find(kind);
  if (found == screens.end()) {
    Vterm vterm;
    vterm.Feed(Stream(kind));
    found = screens.emplace(kind, vterm.Contents()).first;
  }
  return found->second;
}

// ---------------------------------------------------------------------------
// The benchmarks.

void BM_ScreenBuffer(benchmark::State& state, StreamKind kind) {
  const std::string& bytes = Stream(kind);
  Terminal terminal;
  EscapeParser parser(terminal.Buffer());
  FeedBuffer(parser, bytes);
  const std::string difference = Difference(terminal.Contents(), VtermReference(kind));
  if (!difference.empty()) {
    state.SkipWithError(difference.c_str());
    return;
  }
  for (auto _ : state) {
    FeedBuffer(parser, bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_Libvterm(benchmark::State& state, StreamKind kind) {
  const std::string& bytes = Stream(kind);
  Vterm vterm;
  vterm.Feed(bytes);
  for (auto _ : state) {
    vterm.Feed(bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK_CAPTURE(BM_ScreenBuffer, plain_scroll, kPlain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Libvterm, plain_scroll, kPlain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScreenBuffer, cursor_attributes, kCursorAttributes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Libvterm, cursor_attributes, kCursorAttributes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScreenBuffer, region_scroll, kRegionScroll)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Libvterm, region_scroll, kRegionScroll)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScreenBuffer, full_redraw, kFullRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Libvterm, full_redraw, kFullRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScreenBuffer, region_insert_delete, kRegionInsertDelete)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Libvterm, region_insert_delete, kRegionInsertDelete)
    ->Unit(benchmark::kMillisecond);

// A drag from the top left corner: the end point walks over the whole
// screen in reading order, 8 columns at a step, then back. The buffer draws
// every change on a recording device context.
void BM_SelectionDrag(benchmark::State& state) {
  Terminal terminal;
  ScreenBuffer& buffer = terminal.Buffer();
  {
    EscapeParser parser(buffer);
    FeedBuffer(parser, Stream(kPlain).substr(0, 64u << 10));
  }
  std::vector<CursorPos> ends;
  for (int row = 1; row <= kRows; ++row) {
    for (int col = 8; col <= kColumns; col += 8) ends.emplace_back(row, col);
  }
  RecordingSurface surface;
  CDC dc(surface);
  buffer.SetDC(&dc);
  std::size_t drawn = 0;
  for (auto _ : state) {
    for (const CursorPos& end : ends) buffer.Select(CursorPos(1, 1), end);
    for (auto end = ends.rbegin(); end != ends.rend(); ++end) buffer.Select(CursorPos(1, 1), *end);
    state.PauseTiming();
    drawn += surface.Calls().size();
    surface.Clear();
    state.ResumeTiming();
  }
  buffer.SetDC(nullptr);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 2 * ends.size()));
  state.counters["selects_per_drag"] = static_cast<double>(2 * ends.size());
  const auto drags = std::max<benchmark::IterationCount>(1, state.iterations());
  state.counters["draw_calls_per_drag"] = static_cast<double>(drawn) / static_cast<double>(drags);
}
BENCHMARK(BM_SelectionDrag)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// The console output, then ScreenBuffer's bytes per second over libvterm's
// for each stream: of the medians when repeated, else of the single runs.

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_None) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      if (!median && !single) continue;
      repeated_ = repeated_ || median;
      const auto rate = run.counters.find("bytes_per_second");
      if (rate == run.counters.end()) continue;
      // BENCHMARK_CAPTURE names a run "side/stream".
      const std::string& name = run.run_name.function_name;
      const auto slash = name.find('/');
      if (slash == std::string::npos) continue;
      rates_[name.substr(0, slash)][name.substr(slash + 1)] = rate->second.value;
    }
  }

  void Finalize() override {
    constexpr double kMiB = 1024.0 * 1024.0;
    ConsoleReporter::Finalize();
    auto& out = GetOutputStream();
    const auto buffer = rates_.find("BM_ScreenBuffer");
    const auto vterm = rates_.find("BM_Libvterm");
    if (buffer == rates_.end() || vterm == rates_.end()) return;
    out << "\nScreenBuffer / libvterm, bytes per second"
        << (repeated_ ? " (medians)" : "") << ":\n";
    for (const auto& [stream, rate] : buffer->second) {
      const auto other = vterm->second.find(stream);
      if (other == vterm->second.end() || other->second <= 0) continue;
      char line[160];
      std::snprintf(line, sizeof line, "  %-22s %8.2f MiB/s  vs %8.2f MiB/s  ratio %.3f%s\n",
                    stream.c_str(), rate / kMiB, other->second / kMiB, rate / other->second,
                    rate >= other->second ? "" : "  (ScreenBuffer slower)");
      out << line;
    }
  }

 private:
  bool repeated_ = false;
  std::map<std::string, std::map<std::string, double>> rates_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
