#include "EscapeParser.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "brenmoor/win/CellAttributes.h"
#include "brenmoor/gdi/RecordingSurface.h"
#include "brenmoor/win/ScreenBuffer.h"
#include "TerminalTesting.h"

#define ESC "\x1b"
#define CSI ESC "["

namespace {

using terminal_testing::kColours;
using terminal_testing::TestLayout;

// A real screen on a layout measured without fonts, fed through the parser.
class Terminal {
 public:
  explicit Terminal(bool autoWrap = false) {
    layout_.ChangeLayout(kColours, L"Mono", 20, false, false);
    buffer_ = std::make_unique<ScreenBuffer>(layout_);
    parser_ = std::make_unique<EscapeParser>(
        *buffer_, EscapeParser::Setup{[this](std::string_view bytes) { replies_ += bytes; }, autoWrap});
  }

  // Everything the terminal answered so far.
  const std::string& Replies() const { return replies_; }

  ScreenBuffer& Screen() { return *buffer_; }
  void Feed(const std::string& bytes) { parser_->Feed(bytes); }
  // Split at every byte, as a slow connection may deliver it.
  void FeedByteByByte(const std::string& bytes) {
    for (const char c : bytes) parser_->Feed(static_cast<unsigned char>(c));
  }

  // The visible rows as UTF-8, trailing blanks and blank rows at the end left out.
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int row = 0; row < buffer_->VisRows(); ++row) {
      std::wstring text;
      for (int col = 0; col < buffer_->VisColumns(); ++col) text += Cell(row, col).GetValue();
      text.erase(text.find_last_not_of(L' ') + 1);
      rows.push_back(CString(text).ToUtf8());
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
  }
  const ScreenChar& Cell(int row, int col) const {
    const ScreenChar* cell = buffer_->Cell(row, col);
    EXPECT_NE(cell, nullptr) << row << "," << col;
    static const ScreenChar blank;
    return cell != nullptr ? *cell : blank;
  }
  int Mode(int row, int col) const {
    const FontStyle* style = Cell(row, col).GetStyle();
    return style != nullptr ? style->GetMode() : -1;
  }
  // One past the last column is where the cursor waits to wrap.
  bool CursorOnScreen() const {
    return buffer_->GetRow() >= 1 && buffer_->GetRow() <= buffer_->VisRows() &&
           buffer_->GetCol() >= 1 && buffer_->GetCol() <= buffer_->VisColumns() + 1;
  }

 private:
  RecordingSurface measure_{{10, 20}};
  CScreenDC::Substitute screen_{measure_};
  TestLayout layout_;
  std::unique_ptr<ScreenBuffer> buffer_;
  std::unique_ptr<EscapeParser> parser_;
  std::string replies_;
};

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

struct Screenful {
  const char* what;
  std::string input;
  std::vector<std::string> rows;
  int row, col;
};

const std::vector<std::string> kNone;

std::vector<std::string> RowAt(int row, const std::string& text) {
  std::vector<std::string> rows(static_cast<std::size_t>(row - 1));
  rows.push_back(text);
  return rows;
}

const Screenful kScreenfuls[] = {
    {"text", "abc", {"abc"}, 1, 4},
    {"CR LF", "ab\r\ncd", {"ab", "cd"}, 2, 3},
    {"LF keeps the column", "ab\ncd", {"ab", "  cd"}, 2, 5},
    {"VT and FF as LF", "a\vb\fc", {"a", " b", "  c"}, 3, 4},
    {"BS", "abc\bX", {"abX"}, 1, 4},
    {"HT", "a\tb", {"a       b"}, 1, 10},
    {"BS at the right margin", CSI "80G" "x\by", {std::string(78, ' ') + "yx"}, 1, 80},
    {"BS at the right margin, auto-wrap on", CSI "?7h" CSI "80G" "x\by", {std::string(78, ' ') + "yx"}, 1, 80},
    {"CUB at the right margin", CSI "80G" "x" CSI "2Dy", {std::string(77, ' ') + "y x"}, 1, 79},
    {"HT at the right margin", CSI "?7h" CSI "80G" "x\ty", {std::string(79, ' ') + "y"}, 1, 81},
    {"HT on the last column", CSI "80G\ty", {std::string(79, ' ') + "y"}, 1, 81},
    {"CHT at the right margin", CSI "80G" "x" CSI "2Iy", {std::string(79, ' ') + "y"}, 1, 81},
    {"ESC H sets a stop", CSI "5G" ESC "H\r\tx", {"    x"}, 1, 6},
    {"CSI g clears the stop", CSI "9G" CSI "g\r\tx", {std::string(16, ' ') + "x"}, 1, 18},
    {"CSI 3 g clears every stop", CSI "3g\tX", {std::string(79, ' ') + "X"}, 1, 81},
    {"CUP", CSI "5;10Hx", RowAt(5, "         x"), 5, 11},
    {"CUP defaults", CSI "5;10H" CSI "Hx", {"x"}, 1, 2},
    {"CUP zeros", CSI "5;10H" CSI "0;0Hx", {"x"}, 1, 2},
    {"HVP", CSI "3;4fx", RowAt(3, "   x"), 3, 5},
    {"CUP row only", CSI "3Hx", RowAt(3, "x"), 3, 2},
    {"CUU default", CSI "10;10H" CSI "A", kNone, 9, 10},
    {"CUU", CSI "10;10H" CSI "3A", kNone, 7, 10},
    {"CUD zero", CSI "10;10H" CSI "0B", kNone, 11, 10},
    {"CUF", CSI "10;10H" CSI "5C", kNone, 10, 15},
    {"CUB", CSI "10;10H" CSI "D", kNone, 10, 9},
    {"CNL", CSI "10;10H" CSI "2E", kNone, 12, 1},
    {"CPL", CSI "10;10H" CSI "2F", kNone, 8, 1},
    {"CHA", CSI "20G", kNone, 1, 20},
    {"VPA", CSI "7d", kNone, 7, 1},
    {"HPR", CSI "5;5H" CSI "3a", kNone, 5, 8},
    {"VPR", CSI "5;5H" CSI "3e", kNone, 8, 5},
    {"CHT", CSI "2I", kNone, 1, 17},
    {"CBT", CSI "30G" CSI "2Z", kNone, 1, 17},
    {"ED below", "abc\r\ndef" CSI "1;2H" CSI "J", {"a"}, 1, 2},
    {"ED above", "abc\r\ndef" CSI "1;2H" CSI "1J", {"  c", "def"}, 1, 2},
    {"ED all", "abc\r\ndef" CSI "1;2H" CSI "2J", kNone, 1, 2},
    {"EL right", "abcdef" CSI "3G" CSI "K", {"ab"}, 1, 3},
    {"EL left", "abcdef" CSI "3G" CSI "1K", {"   def"}, 1, 3},
    {"EL all", "abcdef" CSI "3G" CSI "2K", kNone, 1, 3},
    {"IL", "a\r\nb\r\nc" CSI "2;1H" CSI "L", {"a", "", "b", "c"}, 2, 1},
    {"DL", "a\r\nb\r\nc" CSI "2;1H" CSI "M", {"a", "c"}, 2, 1},
    {"ICH", "abcdef" CSI "2G" CSI "2@", {"a  bcdef"}, 1, 2},
    {"DCH", "abcdef" CSI "2G" CSI "2P", {"adef"}, 1, 2},
    {"ECH", "abcdef" CSI "2G" CSI "3X", {"a   ef"}, 1, 2},
    {"scrolling inside a region", "1\r\n2\r\n3\r\n4\r\n5" CSI "2;4r" CSI "4;1H\nX",
     {"1", "3", "4", "X", "5"}, 4, 2},
    {"CSI r resets the region", "top" CSI "2;4r" CSI "r" CSI "24;1H\nX", RowAt(24, "X"), 24, 2},
    {"IND", "a" ESC "Db", {"a", " b"}, 2, 3},
    {"RI", CSI "2;1Ha" ESC "Mb", {" b", "a"}, 1, 3},
    {"RI at the top scrolls down", "a" ESC "Mb", {" b", "a"}, 1, 3},
    {"NEL", "ab" ESC "Ec", {"ab", "c"}, 2, 2},
    {"ESC 7 and 8", CSI "5;5H" ESC "7" CSI "Hx" ESC "8y", {"x", "", "", "", "    y"}, 5, 6},
    {"CSI s and u", CSI "5;5H" CSI "s" CSI "Hx" CSI "uy", {"x", "", "", "", "    y"}, 5, 6},
    {"RIS", "abc" ESC "c", kNone, 1, 1},
    {"DECSTR", "abc" CSI "!p", kNone, 1, 1},
    {"Windows-1252", "\x80\xe9\xff", {"€éÿ"}, 1, 4},
    {"insert mode", "abc" CSI "1G" CSI "4hX", {"Xabc"}, 1, 2},
    {"replace mode", "abc" CSI "1G" CSI "4h" CSI "4lX", {"Xbc"}, 1, 2},
    {"auto-wrap", CSI "?7h" + std::string(81, 'a'), {std::string(80, 'a'), "a"}, 2, 2},
    {"no auto-wrap", std::string(80, 'a') + "b", {std::string(79, 'a') + "b"}, 1, 81},
    {"auto-wrap off again", CSI "?7h" CSI "?7l" + std::string(80, 'a') + "b",
     {std::string(79, 'a') + "b"}, 1, 81},
    {"origin mode", CSI "5;10r" CSI "?6h" CSI "1;1Hx", RowAt(5, "x"), 5, 2},
    {"origin mode off", CSI "5;10r" CSI "?6h" CSI "?6l" CSI "1;1Hx", {"x"}, 1, 2},
    {"several private modes", CSI "3;4r" CSI "?7;6h" CSI "Hx", RowAt(3, "x"), 3, 2},
    {"CAN cancels", CSI "5\x18X", {"X"}, 1, 2},
    {"SUB cancels", CSI "5\x1aX", {"X"}, 1, 2},
    {"ESC restarts", CSI "5" CSI "2;3Hx", RowAt(2, "  x"), 2, 4},
    {"controls act inside a sequence", "ab" CSI "\r2Cx", {"abx"}, 1, 4},
    {"DEL inside a sequence", CSI "2\x7f;3Hx", RowAt(2, "  x"), 2, 4},
    {"a high byte ends a sequence", CSI "5\xe9", {"é"}, 1, 2},
    {"unknown private marker", "ab" CSI ">5cX", {"abX"}, 1, 4},
    {"sub-parameters", "ab" CSI "1:2Hc", {"abc"}, 1, 4},
    {"misplaced ?", "ab" CSI "1;?2Hc", {"abc"}, 1, 4},
    {"intermediate in CSI", "ab" CSI " qc", {"abc"}, 1, 4},
    {"DECALN fills the screen with E", "ab" CSI "5;10r" ESC "#8X",
     [] { std::vector<std::string> rows(24, std::string(80, 'E')); rows[0][0] = 'X'; return rows; }(), 1, 2},
    {"other ESC # sequences", ESC "#3" ESC "# 8X", {"X"}, 1, 2},
    {"ESC ( % 5", ESC "(%5X", {"X"}, 1, 2},
    {"unknown escape", ESC "YX", {"X"}, 1, 2},
    {"huge parameters", CSI "99999999999999;99999999Hx", RowAt(24, std::string(79, ' ') + "x"),
     24, 81},
    {"a parameter past the largest int", CSI "10;10H" CSI "2147483648C", kNone, 10, 80},
    {"a minus sign spoils the sequence", "ab" CSI "99999999999999;-5Hc", {"abc"}, 1, 4},
    {"parameters past the limit", CSI + Repeat(";", 5000) + "5Hx", {"x"}, 1, 2},
    {"sixteen parameters are read", CSI "3" + Repeat(";", 15) + "Hx", RowAt(3, "x"), 3, 2},
};

TEST(EscapeParserScreen, SequencesGiveTheScreenAndCursor) {
  for (const Screenful& c : kScreenfuls) {
    for (const bool split : {false, true}) {
      Terminal terminal;
      split ? terminal.FeedByteByByte(c.input) : terminal.Feed(c.input);
      const std::string what = std::string(c.what) + (split ? " (byte by byte)" : "");
      EXPECT_EQ(terminal.Rows(), c.rows) << what;
      EXPECT_EQ(terminal.Screen().GetRow(), c.row) << what;
      EXPECT_EQ(terminal.Screen().GetCol(), c.col) << what;
    }
  }
}

using video::kBlinking;
using video::kBold;
using video::kReverse;
using video::kSubdued;
using video::kUnderlined;

struct Rendition {
  const char* what;
  std::string input;
  int mode;
};

const Rendition kRenditions[] = {
    {"none", "", 0},
    {"bold", CSI "1m", kBold},
    {"subdued", CSI "2m", kSubdued},
    {"underlined", CSI "4m", kUnderlined},
    {"blinking", CSI "5m", kBlinking},
    {"reverse", CSI "7m", kReverse},
    {"several", CSI "1;4;7m", kBold | kUnderlined | kReverse},
    {"one after another", CSI "4m" CSI "5m", kUnderlined | kBlinking},
    {"empty resets", CSI "1;4m" CSI "m", 0},
    {"0 resets", CSI "1;4m" CSI "0m", 0},
    {"0 then more", CSI "1;4m" CSI "0;7m", kReverse},
    {"22", CSI "1;2m" CSI "22m", 0},
    {"24", CSI "4;5;7m" CSI "24m", kBlinking | kReverse},
    {"25", CSI "4;5;7m" CSI "25m", kUnderlined | kReverse},
    {"27", CSI "4;7m" CSI "27m", kUnderlined},
    {"unknown and huge values", CSI "1;31;42;99999m", kBold},
    {"indexed colours are skipped", CSI "38;5;1;48;5;4m", 0},
    {"direct colours are skipped", CSI "38;2;1;4;7;4m", kUnderlined},
    {"a colour cut short", CSI "4;38m", kUnderlined},
    {"default colours", CSI "7;39;49m", kReverse},
    {"a reset past sixteen parameters", CSI "1;" + Repeat("4;", 15) + "0m", kBold | kUnderlined},
    {"intermediate", CSI "1 m", 0},
    {"private", CSI "?1m", 0},
    {"saved and restored", CSI "1m" ESC "7" CSI "0m" ESC "8", kBold},
};

TEST(EscapeParserScreen, GraphicRenditionsMarkTheCellsWritten) {
  for (const Rendition& c : kRenditions) {
    Terminal terminal;
    terminal.Feed(c.input + "x");
    EXPECT_EQ(terminal.Mode(0, 0), c.mode) << c.what;
  }
}

struct Designation {
  const char* what;
  std::string input;
  int charSet;
};

const Designation kDesignations[] = {
    {"default", "q", 0},
    {"G0 special graphics", ESC "(0q", 2},
    {"G0 UK", ESC "(Aq", 1},
    {"G0 extended graphics", ESC "(2q", 3},
    {"G0 back to ASCII", ESC "(0" ESC "(Bq", 0},
    {"G0 alternate standard set", ESC "(0" ESC "(1q", 0},
    {"G1 without SO", ESC ")0q", 0},
    {"G1 with SO", ESC ")0\x0eq", 2},
    {"SI returns to G0", ESC ")0\x0e\x0fq", 0},
    {"G2 and G3 leave G0", ESC "*0" ESC "+0q", 0},
    {"unknown set", ESC "(0" ESC "(Zq", 2},
};

TEST(EscapeParserScreen, DesignationsChooseTheCharacterSet) {
  for (const Designation& c : kDesignations) {
    Terminal terminal;
    terminal.Feed(c.input);
    EXPECT_EQ(terminal.Cell(0, 0).GetValue(), L'q') << c.what;
    EXPECT_EQ(terminal.Cell(0, 0).GetCharSet(), c.charSet) << c.what;
  }
}

TEST(EscapeParserScreen, WindowSizeSequence) {
  struct Case {
    std::string input;
    int rows, columns;
  };
  // Columns show only with auto-wrap on; beyond the screen's widest they are cut.
  for (const Case& c : {Case{CSI "8;30;100t", 30, 100}, Case{CSI "8;;100t", 24, 100},
                        Case{CSI "8;99999;99999t", EscapeParser::kLargestWindowRows, 132},
                        Case{CSI "9;30;100t", 24, 80}, Case{CSI "8;30;100;7t", 30, 100}}) {
    Terminal terminal;
    terminal.Feed(CSI "?7h" + c.input);
    EXPECT_EQ(terminal.Screen().VisRows(), c.rows) << c.input.substr(1);
    EXPECT_EQ(terminal.Screen().VisColumns(), c.columns) << c.input.substr(1);
  }
  Terminal grown;
  grown.Feed(CSI "8;30;80t" + Repeat("\n", 40) + "x");
  EXPECT_EQ(grown.Rows(), RowAt(30, "x"));
}

TEST(EscapeParserScreen, ColumnModeWidensTheScreen) {
  Terminal terminal;
  terminal.Feed("abc" CSI "?3h" + std::string(132, 'w'));
  EXPECT_EQ(terminal.Screen().NumColumns(), 132);
  EXPECT_EQ(terminal.Rows(), std::vector<std::string>{std::string(132, 'w')});
  terminal.Feed(CSI "?3l");
  EXPECT_EQ(terminal.Screen().NumColumns(), 80);
}

TEST(EscapeParserScreen, ModesReachTheScreen) {
  Terminal terminal;
  terminal.Feed(CSI "?1h");
  EXPECT_TRUE(terminal.Screen().GetCursorKeyMode());
  terminal.Feed(CSI "?1l");
  EXPECT_FALSE(terminal.Screen().GetCursorKeyMode());
  terminal.Feed(CSI "1h");  // not the private mode
  EXPECT_FALSE(terminal.Screen().GetCursorKeyMode());
}

// A VT102's answers, as the program on the other end reads them.
TEST(EscapeParserScreen, RequestsAreAnswered) {
  struct Case {
    const char* what;
    std::string input;
    std::string reply;
  };
  const Case cases[] = {
      {"primary attributes", CSI "c", ESC "[?6c"},
      {"primary attributes with 0", CSI "0c", ESC "[?6c"},
      {"DECID", ESC "Z", ESC "[?6c"},
      {"secondary attributes are not known", CSI ">c" CSI "1c", ""},
      {"status", CSI "5n", ESC "[0n"},
      {"cursor position", CSI "5;17H" CSI "6n", ESC "[5;17R"},
      {"pending wrap in the last column", CSI "?7h" CSI "80G" "x" CSI "6n", ESC "[1;80R"},
      {"cursor position in origin mode, from the region's top", CSI "5;20r" CSI "?6h" CSI "3;7H" CSI "6n", ESC "[3;7R"},
      {"origin mode off again, from the screen's top", CSI "5;20r" CSI "?6h" CSI "?6l" CSI "7;7H" CSI "6n", ESC "[7;7R"},
      {"unknown report", CSI "7n" CSI "?6n", ""},
      {"parameters, unasked", CSI "x", ESC "[2;1;1;112;112;1;0x"},
      {"parameters, on request", CSI "1x", ESC "[3;1;1;112;112;1;0x"},
      {"parameters, wrong request", CSI "2x", ""},
      {"two in a row", CSI "5n" CSI "c", ESC "[0n" ESC "[?6c"},
  };
  for (const Case& c : cases) {
    Terminal terminal;
    terminal.Feed(c.input);
    EXPECT_EQ(terminal.Replies(), c.reply) << c.what;
  }
}

TEST(EscapeParserScreen, AutoWrapSetUpSurvivesResets) {
  for (const std::string reset : {"", ESC "c", CSI "!p", CSI "?7l" ESC "c"}) {
    Terminal terminal(true);
    terminal.Feed(reset + std::string(81, 'a'));
    EXPECT_EQ(terminal.Rows(), (std::vector<std::string>{std::string(80, 'a'), "a"})) << reset.substr(1);
  }
  Terminal plain;
  plain.Feed(std::string(81, 'a'));
  EXPECT_EQ(plain.Rows(), std::vector<std::string>{std::string(80, 'a')});
}

// ---- Any byte stream ----

// After CAN and a reset the parser must be on the ground whatever came before.
void ExpectRecovered(Terminal& terminal, const std::string& what) {
  ASSERT_TRUE(terminal.CursorOnScreen())
      << what << ": cursor " << terminal.Screen().GetRow() << "," << terminal.Screen().GetCol();
  terminal.Feed("\x18" ESC "cQ");
  EXPECT_EQ(terminal.Cell(0, 0).GetValue(), L'Q') << what;
  EXPECT_EQ(terminal.Screen().GetCol(), 2) << what;
}

TEST(EscapeParserAnyInput, EveryByteInEveryState) {
  const std::string prefixes[] = {"",     ESC,      CSI,       CSI "?",  CSI "12;",
                                  CSI " ", ESC "(", ESC "#",   ESC ")%", CSI "8;30"};
  for (const std::string& prefix : prefixes) {
    for (int byte = 0; byte < 256; ++byte) {
      Terminal terminal;
      terminal.Feed(prefix + static_cast<char>(byte) + "x");
      ExpectRecovered(terminal, "after " + std::to_string(prefix.size()) + " prefix bytes, byte " +
                                    std::to_string(byte));
    }
  }
}

TEST(EscapeParserAnyInput, AdversarialSequences) {
  const std::string cases[] = {
      CSI "99999999999999;-5H",
      CSI + Repeat(";", 10000) + "H",
      CSI + std::string(100000, '9') + "A",
      CSI + Repeat("?", 1000) + "h",
      Repeat(ESC, 1000),
      Repeat(CSI, 1000),
      CSI,
      ESC "(",
      CSI "12;",
      CSI "8;99999;99999t" CSI "99999B" + Repeat("\n", 300) + "x",
      CSI "?7h" CSI "8;1;1t" "abc\n\n" CSI "99999C" "x",
      CSI "8;0;0t" CSI "?3h" CSI "?3l" "x",
      CSI "20;5r" "\n\n" ESC "M" ESC "M",
      CSI "24;1r" CSI "99999;99999H" "x" CSI "99999L" CSI "99999M",
      CSI "99999@" CSI "99999P" CSI "99999X" CSI "80G" CSI "99999@" CSI "99999P" CSI "99999X",
      CSI "99999I" CSI "99999Z" CSI "99999E" CSI "99999F" CSI "99999a" CSI "99999e",
      CSI "?6h" CSI "5;10r" CSI "99999d" "x" CSI "99999A" "y" ESC "D" ESC "D" ESC "E",
      CSI "?7h" CSI "80G" "ab" CSI "3g" "\t\t\t" CSI "99999I",
      CSI "4h" CSI "?7h" + std::string(500, 'i'),
      CSI "?7h" CSI "8;30;132t" CSI "?3h" + std::string(300, 'w') + CSI "8;2;10t" + "zz",
      ESC "7" CSI "8;40;100t" CSI "?7h" CSI "40;100H" ESC "7" CSI "8;5;20t" ESC "8" "x",
      CSI "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20m" "x",
  };
  for (const std::string& input : cases) {
    for (const bool split : {false, true}) {
      Terminal terminal;
      split ? terminal.FeedByteByByte(input) : terminal.Feed(input);
      ExpectRecovered(terminal, input.substr(0, 40));
    }
  }
}

// Random bytes rarely make a sequence; pieces of sequences make many.
std::string RandomBytes(std::mt19937& random, std::size_t size) {
  std::string bytes;
  std::uniform_int_distribution<int> byte(0, 255);
  while (bytes.size() < size) bytes += static_cast<char>(byte(random));
  return bytes;
}

std::string RandomSequences(std::mt19937& random, std::size_t size) {
  static const std::vector<std::string> pieces = {
      ESC, CSI, CSI "?", ";", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "24", "80", "132",
      "9999", "99999999", "A", "B", "C", "D", "E", "F", "G", "H", "f", "d", "a", "e", "I", "Z",
      "J", "K", "L", "M", "@", "P", "X", "g", "r", "m", "h", "l", "s", "u", "t", "c", "(", ")",
      "*", "+", "#", " ", "!", "p", "q", "x", "l", "k", "j", "\r", "\n", "\b", "\t", "\x0e",
      "\x0f", "\x18", "\x7f", "\xe9", "text ",
  };
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::string bytes;
  while (bytes.size() < size) bytes += pieces[pick(random)];
  return bytes;
}

TEST(EscapeParserAnyInput, RandomStreamsWithFixedSeeds) {
  constexpr std::size_t kBytes = 200000;
  constexpr std::size_t kChunk = 997;
  for (const unsigned seed : {1u, 2u, 3u, 20240611u}) {
    for (const bool sequences : {false, true}) {
      std::mt19937 random(seed);
      const std::string stream =
          sequences ? RandomSequences(random, kBytes) : RandomBytes(random, kBytes);
      Terminal terminal;
      const std::string what =
          "seed " + std::to_string(seed) + (sequences ? " sequences" : " bytes");
      for (std::size_t at = 0; at < stream.size(); at += kChunk) {
        terminal.Feed(stream.substr(at, kChunk));
        ASSERT_TRUE(terminal.CursorOnScreen()) << what << " at byte " << at;
      }
      EXPECT_FALSE(terminal.Rows().empty() && sequences) << what;
      ExpectRecovered(terminal, what);
    }
  }
}

}  // namespace
