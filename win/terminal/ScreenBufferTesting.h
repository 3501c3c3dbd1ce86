#pragma once
// Shared by the ScreenBuffer tests: the shared test layout measured at cells
// of 10x20, a buffer on it and a recording surface to lend it.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "brenmoor/ui/CWnd.h"
#include "brenmoor/gdi/RecordingSurface.h"
#include "brenmoor/win/ScreenBuffer.h"
#include "TerminalTesting.h"

namespace screen_buffer_testing {

using SB = ScreenBuffer;
using Pos = std::pair<int, int>;  // 0-based row, column
using Op = std::function<void(ScreenBuffer&)>;

using terminal_testing::kColours;
using terminal_testing::TestLayout;
constexpr COLORREF kNormalText = 0xA0, kNormalBack = 0xA1, kSelText = 0xA5;
constexpr int kBadCounts[] = {0, -1, -7, 2000000000, INT_MAX, INT_MIN};

// One call of a member with fixed arguments, for tables.
template <typename... P, typename... A>
Op Do(void (ScreenBuffer::*f)(P...), A... a) {
  return [=](ScreenBuffer& b) { (b.*f)(a...); };
}
inline Op Ops(std::vector<Op> ops) {
  return [=](ScreenBuffer& b) { for (const Op& op : ops) op(b); };
}

inline std::vector<Pos> Span(Pos from, Pos to, int columns) {
  std::vector<Pos> out;
  for (Pos p = from; p <= to; p = ++p.second < columns ? p : Pos(p.first + 1, 0)) out.push_back(p);
  return out;
}
inline std::vector<Pos> Rows(int first, int last, int columns) {
  return Span({first, 0}, {last, columns - 1}, columns);
}
// "row:first-last" per run of neighbouring cells, so that long lists diff readably.
inline std::string Runs(std::vector<Pos> v, bool sorted = false) {
  if (sorted) std::sort(v.begin(), v.end());
  std::string out;
  for (std::size_t i = 0, j = 0; i < v.size(); i = ++j) {
    while (j + 1 < v.size() && v[j + 1] == Pos{v[i].first, v[j].second + 1}) ++j;
    out += (i ? " " : "") + std::to_string(v[i].first) + ":" + std::to_string(v[i].second) +
           (j > i ? "-" + std::to_string(v[j].second) : "");
  }
  return out;
}

inline void Write(ScreenBuffer& b, const std::wstring& text) {
  for (wchar_t c : text) b.PutChar(c);
}
inline void WriteAt(ScreenBuffer& b, Pos at, const std::wstring& text) {
  b.CursorPosition(at.first + 1, at.second + 1);
  Write(b, text);
}
inline Pos CursorOf(const ScreenBuffer& b) { return {b.GetRow() - 1, b.GetCol() - 1}; }
inline std::wstring RowText(const ScreenBuffer& b, int row, int from = 0, int count = -1) {
  std::wstring out;
  for (int c = from; c < (count < 0 ? b.NumColumns() : from + count); ++c) {
    const ScreenChar* cell = b.Cell(row, c);
    out += cell ? cell->GetValue() : L'\0';
  }
  return out;
}
// Row r filled with 'A' + r. Moving down rather than by position reaches the
// rows of a window taller than NumRows().
inline void MarkRows(ScreenBuffer& b, int rows) {
  b.CursorPosition(1, 1);
  for (int r = 0; r < rows; ++r) {
    b.CarriageReturn();
    if (r > 0) b.CursorDown(1);
    Write(b, std::wstring(static_cast<std::size_t>(b.NumColumns()), static_cast<wchar_t>('A' + r)));
  }
}
// Per row: its character when the row holds one alone, else '?'.
inline std::string Letters(const ScreenBuffer& b, int rows = 24) {
  std::string out;
  for (int r = 0; r < rows; ++r) {
    const std::wstring text = RowText(b, r);
    out += text.find_first_not_of(text[0]) == std::wstring::npos ? static_cast<char>(text[0]) : '?';
  }
  return out;
}
// Rows marked by MarkRows after the region top..bottom moved up one line.
inline std::string ScrolledUp(int rows, int top, int bottom) {
  std::string out;
  for (int r = 0; r < rows; ++r) {
    const int from = r < top || r > bottom ? r : r == bottom ? -1 : r + 1;
    out += from < 0 ? ' ' : static_cast<char>('A' + from);
  }
  return out;
}
inline std::vector<Pos> SelectedCells(const ScreenBuffer& b) {
  std::vector<Pos> out;
  for (int r = 0; r < b.MaxRows(); ++r) {
    for (int c = 0; c < b.MaxColumns(); ++c) {
      if (b.Cell(r, c) != nullptr && b.Cell(r, c)->IsSelected()) out.emplace_back(r, c);
    }
  }
  return out;
}

// What PrintBuffer puts on paper printing text 0x111111 on 0x222222 in cells of 7x13.
inline std::vector<std::string> Printed(ScreenBuffer& b) {
  RecordingSurface paper;
  CDC printer(paper);
  printer.SetTextColor(0x111111);
  printer.SetBkColor(0x222222);
  b.PrintBuffer(&printer, {7, 13});
  return paper.Lines();
}

struct Drawn {
  Pos at;
  wchar_t ch;
  COLORREF text, back;
};

class ScreenBufferTest : public ::testing::Test {
 protected:
  static TestLayout& Prepared(TestLayout& l) {
    l.ChangeLayout(kColours, L"Mono", 20, false, false);
    return l;
  }
  void Lend() {
    buffer.SetDC(&dc);
    surface.Clear();
  }
  // The opaque text calls, one per drawn cell (bold adds a transparent one).
  std::vector<Drawn> DrawnCells() const {
    std::vector<Drawn> out;
    for (const auto& call : surface.Calls()) {
      if (call.kind != RecordingSurface::Call::Kind::Text || call.state.backMode != OPAQUE) {
        continue;
      }
      EXPECT_TRUE(call.at.x % 10 == 0 && call.at.y % 20 == 0) << call.at.x << "," << call.at.y;
      out.push_back({{call.at.y / 20, call.at.x / 10},
                     call.text.GetLength() == 1 ? call.text[0] : L'\0',
                     call.state.textColour,
                     call.state.backColour});
    }
    return out;
  }
  std::vector<Pos> DrawnPositions() const {
    std::vector<Pos> out;
    for (const Drawn& d : DrawnCells()) out.push_back(d.at);
    return out;
  }
  // The cursor, what was drawn and what is selected all lie on the visible screen.
  void ExpectInside(const std::string& what) const {
    const Pos at = CursorOf(buffer);
    EXPECT_TRUE(at.first >= 0 && at.first < buffer.VisRows()) << what << " row " << at.first;
    EXPECT_TRUE(at.second >= 0 && at.second <= buffer.VisColumns()) << what << " col " << at.second;
    std::vector<Pos> cells = DrawnPositions();
    const std::vector<Pos> selected = SelectedCells(buffer);
    cells.insert(cells.end(), selected.begin(), selected.end());
    for (Pos p : cells) {
      EXPECT_TRUE(p.first >= 0 && p.first < buffer.VisRows() && p.second >= 0 &&
                  p.second < buffer.VisColumns())
          << what << " reached " << p.first << "," << p.second;
    }
  }

  RecordingSurface measure{{10, 20}};
  CScreenDC::Substitute screen{measure};
  TestLayout layout;
  ScreenBuffer buffer{Prepared(layout)};
  RecordingSurface surface{{10, 20}};
  CDC dc{surface};
  CWnd parent;
};

}  // namespace screen_buffer_testing
