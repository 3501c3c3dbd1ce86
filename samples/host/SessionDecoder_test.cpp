#include "SessionDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TerminalTesting.h"
#include "brenmoor/gdi/CDC.h"
#include "brenmoor/gdi/RecordingSurface.h"
#include "brenmoor/win/CellAttributes.h"
#include "brenmoor/win/ScreenBuffer.h"

#define ESC "\x1b"
#define CSI ESC "["

namespace {

using Rows = std::vector<std::string>;

struct Case {
  const char* what;
  std::string input;
  Rows rows;  // trailing blanks and blank rows at the end left out
  int row, col;
};

const Case kCases[] = {
    {"text", "abc", {"abc"}, 1, 4},
    {"carriage return and line feed", "ab\r\ncd", {"ab", "cd"}, 2, 3},
    {"cursor position", CSI "2;3Hx", {"", "  x"}, 2, 4},
    {"cursor position without parameters", "ab" CSI "Hx", {"xb"}, 1, 2},
    {"cursor back and forward", "abcd" CSI "3D" "x" CSI "C" "y", {"axcy"}, 1, 5},
    {"delete a character", "abcd" CSI "1;2H" CSI "P", {"acd"}, 1, 2},
    {"insert a character", "abcd" CSI "1;2H" CSI "@", {"a bcd"}, 1, 2},
    {"erase the display", "abc\r\ndef" CSI "2J", {}, 2, 4},
    {"tab to the default stop", "\tx", {"        x"}, 1, 10},
    {"tab stops cleared and set", CSI "3g" "  " ESC "H\r\tx", {"  x"}, 1, 4},
    {"cursor saved and restored", "ab" ESC "7" "cd" ESC "8" "x", {"abxd"}, 1, 4},
    {"lines that do not wrap", CSI "?7l" + std::string(80, 'a') + "b", {std::string(79, 'a') + "b"}, 1, 81},
    {"a line feed at the region's foot scrolls the region", CSI "2;3r" CSI "3;1Hx\ny", {"", "x", " y"}, 3, 3},
    {"unknown sequences are skipped", "ab" CSI "?25l" ESC "Z" CSI "5t" "c", {"abc"}, 1, 4},
    {"a full reset", "abc" ESC "c" "x", {"x"}, 1, 2},
};

// The layout is measured before the screen takes its styles from it.
struct MeasuredLayout : terminal_testing::TestLayout {
  MeasuredLayout() { ChangeLayout(terminal_testing::kColours, L"Mono", 20, false, false); }
};

// A screen on a layout measured without fonts, fed through the decoder.
class Session {
 public:
  void Feed(const std::string& bytes, bool byteByByte) {
    if (!byteByByte) return decoder_.Feed(bytes);
    for (const char byte : bytes) decoder_.Feed(std::string(1, byte));
  }
  Rows Shown() const {
    Rows rows;
    for (int row = 0; row < screen_.VisRows(); ++row) {
      std::wstring text;
      for (int col = 0; col < screen_.VisColumns(); ++col) text += screen_.Cell(row, col)->GetValue();
      text.erase(text.find_last_not_of(L' ') + 1);
      rows.push_back(CString(text).ToUtf8());
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
  }
  int Mode(int row, int col) const {
    const FontStyle* style = screen_.Cell(row, col)->GetStyle();
    return style != nullptr ? style->GetMode() : -1;
  }
  ScreenBuffer& Screen() { return screen_; }

 private:
  RecordingSurface measure_{{10, 20}};
  CScreenDC::Substitute measuring_{measure_};
  MeasuredLayout layout_;
  ScreenBuffer screen_{layout_};
  SessionDecoder decoder_{screen_};
};

TEST(SessionDecoder, SequencesGiveTheScreenAndCursorWhereverTheBytesAreSplit) {
  for (const Case& c : kCases) {
    for (const bool byteByByte : {false, true}) {
      Session session;
      session.Feed(c.input, byteByByte);
      const std::string what = std::string(c.what) + (byteByByte ? " (byte by byte)" : "");
      EXPECT_EQ(session.Shown(), c.rows) << what;
      EXPECT_EQ(session.Screen().GetRow(), c.row) << what;
      EXPECT_EQ(session.Screen().GetCol(), c.col) << what;
    }
  }
}

TEST(SessionDecoder, RenditionsMarkTheCellsWrittenUntilReset) {
  Session session;
  session.Feed("a" CSI "1;4m" "b" CSI "0m" "c" CSI "7m" "d" CSI "m" "e" CSI "2m" "f" CSI "0;4;5m" "g", false);
  EXPECT_EQ(session.Shown(), Rows{"abcdefg"});
  std::vector<int> modes;
  for (int col = 0; col < 7; ++col) modes.push_back(session.Mode(0, col));
  EXPECT_EQ(modes, (std::vector<int>{0, video::kBold | video::kUnderlined, 0, video::kReverse, 0, video::kSubdued,
                                     video::kUnderlined | video::kBlinking}));
}

}  // namespace
