#include "EscapeParser.h"

#include <algorithm>
#include <string>
#include <utility>

#include "brenmoor/win/ScreenBuffer.h"
#include "TextEncoding.h"

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kCan = 0x18;
constexpr unsigned char kSub = 0x1A;
constexpr unsigned char kDel = 0x7F;

// Text handed to the screen at once, at most.
constexpr std::size_t kTextPiece = 256;

// What a VT102 answers: its identity, its status, its line parameters
// (no parity, 8 bits, 9600 baud both ways, clock multiplier 1, no flags).
constexpr std::string_view kIdentity = "\x1b[?6c";
constexpr std::string_view kStatusOk = "\x1b[0n";
constexpr std::string_view kParameters = ";1;1;112;112;1;0x";

// The extended colours of SGR 38 and 48 are not shown; their parameters are skipped.
constexpr int kIndexedColour = 5;
constexpr int kDirectColour = 2;

bool IsControl(unsigned char byte) { return byte < 0x20; }
bool IsIntermediate(unsigned char byte) { return byte >= 0x20 && byte <= 0x2F; }
bool IsText(unsigned char byte) { return byte >= 0x20 && byte != kDel; }
bool IsParameter(unsigned char byte) { return (byte >= '0' && byte <= '9') || byte == ';'; }
bool IsFinal(unsigned char byte) { return byte >= 0x40 && byte <= 0x7E; }

// The parameters begun after a separator. Counted one past the limit at
// most: thousands of separators overflow nothing.
int AfterSeparator(int count) {
  return std::min(std::max(count, 1) + 1, EscapeParser::kMaxParameters + 1);
}

// Every byte as a character: below 0x80 itself, above it the character of
// the Windows ANSI code page.
const std::array<wchar_t, 256>& Characters() {
  static const std::array<wchar_t, 256> table = [] {
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
    const std::u16string ansi =
        platform::encoding::Utf16FromUtf8(platform::encoding::Utf8FromAnsi(high));
    std::array<wchar_t, 256> characters{};
    for (std::size_t b = 0; b < characters.size(); ++b) {
      const std::size_t index = b - 0x80u;
      characters[b] = b < 0x80 ? static_cast<wchar_t>(b)
                      : index < ansi.size() ? static_cast<wchar_t>(ansi[index])
                                            : L'?';
    }
    return characters;
  }();
  return table;
}

}  // namespace

EscapeParser::EscapeParser(ScreenBuffer& screen) : EscapeParser(screen, Setup()) {}

EscapeParser::EscapeParser(ScreenBuffer& screen, Setup setup)
    : screen_(screen), setup_(std::move(setup)), characters_(Characters()) {
  if (setup_.autoWrap) screen_.SetAutoWrapMode(true);
}

// The common cases take short cuts that leave the parser as the byte by
// byte path does: text on the ground goes to the screen in runs, and a
// control sequence's introducer, parameters and final byte are taken at once.
void EscapeParser::Feed(std::string_view bytes) {
  const char* at = bytes.data();
  const char* const end = at + bytes.size();
  while (at < end) {
    const auto byte = static_cast<unsigned char>(*at);
    if (state_ == State::Ground && IsText(byte)) {
      at = PutText(at, end);
    } else if (state_ == State::Ground && byte == kEsc && end - at >= 2 && at[1] == '[') {
      StartSequence(State::Csi);
      at = Parameters(at + 2, end);
      if (at < end && IsFinal(static_cast<unsigned char>(*at))) Csi(static_cast<unsigned char>(*at++));
    } else if (state_ == State::Csi && IsParameter(byte) && !intermediate_) {
      at = Parameters(at, end);
    } else if (state_ == State::Csi && IsFinal(byte)) {
      Csi(byte);
      ++at;
    } else {
      Feed(byte);
      ++at;
    }
  }
}

const char* EscapeParser::Parameters(const char* at, const char* end) {
  int count = count_;
  for (; at < end; ++at) {
    const auto byte = static_cast<unsigned char>(*at);
    if (byte == ';') {
      count = AfterSeparator(count);
    } else if (byte >= '0' && byte <= '9') {
      count = std::max(count, 1);
      if (count <= kMaxParameters) {
        int& value = params_[static_cast<std::size_t>(count - 1)];
        value = std::min(value * 10 + (byte - '0'), kLargestParameter);
      }
    } else {
      break;
    }
  }
  count_ = count;
  return at;
}

const char* EscapeParser::PutText(const char* at, const char* end) {
  std::array<wchar_t, kTextPiece> piece;
  for (;;) {
    const char* const last = at + std::min<std::ptrdiff_t>(end - at, kTextPiece);
    std::size_t length = 0;
    for (; at < last && IsText(static_cast<unsigned char>(*at)); ++at) {
      piece[length++] = characters_[static_cast<unsigned char>(*at)];
    }
    if (length > 0) screen_.PutChars(std::wstring_view(piece.data(), length));
    if (length < piece.size()) return at;
  }
}

void EscapeParser::Feed(unsigned char byte) {
  // As on the terminals: controls act in the middle of a sequence, ESC
  // starts a new one, CAN and SUB cancel it, DEL is padding.
  if (state_ != State::Ground) {
    if (byte == kEsc) {
      StartSequence(State::Escape);
      return;
    }
    if (byte == kCan || byte == kSub) {
      state_ = State::Ground;
      return;
    }
    if (IsControl(byte)) {
      Control(byte);
      return;
    }
    if (byte == kDel) return;
    // Not part of any sequence: the sequence ends and the byte is text.
    if (byte >= 0x80) state_ = State::Ground;
  }
  switch (state_) {
    case State::Ground: Ground(byte); break;
    case State::Escape: Escape(byte); break;
    case State::EscapeIntermediate:
      if (IsIntermediate(byte)) {
        escapeIntermediate_ = 0;
      } else {
        state_ = State::Ground;
        if (escapeIntermediate_ == '#' && byte == '8') AlignmentPattern();
      }
      break;
    case State::Designate: Designate(byte); break;
    case State::Csi: Csi(byte); break;
  }
}

void EscapeParser::Ground(unsigned char byte) {
  if (byte == kEsc) {
    StartSequence(State::Escape);
  } else if (IsControl(byte)) {
    Control(byte);
  } else if (IsText(byte)) {
    screen_.PutChar(characters_[byte]);
  }
}

void EscapeParser::Control(unsigned char byte) {
  switch (byte) {
    case 0x08: MoveBackward(1); break;
    case 0x09: TabForward(1); break;
    case 0x0A:
    case 0x0B:
    case 0x0C: screen_.Index(); break;
    case 0x0D: screen_.CarriageReturn(); break;
    case 0x0E: screen_.ShiftOut(); break;
    case 0x0F: screen_.ShiftIn(); break;
    default: break;
  }
}

void EscapeParser::StartSequence(State state) {
  state_ = state;
  params_.fill(0);
  count_ = 0;
  private_ = false;
  intermediate_ = false;
  firstIntermediate_ = 0;
  malformed_ = false;
}

void EscapeParser::Escape(unsigned char byte) {
  state_ = State::Ground;
  switch (byte) {
    case '[': StartSequence(State::Csi); break;
    case '(':
    case ')':
    case '*':
    case '+':
      designatedSet_ = byte == '(' ? 0 : byte == ')' ? 1 : byte == '*' ? 2 : 3;
      state_ = State::Designate;
      break;
    case '7': screen_.SaveCursor(); break;
    case '8': screen_.RestoreCursor(); break;
    case 'D': screen_.Index(); break;
    case 'M': screen_.ReverseIndex(); break;
    case 'E': screen_.NextLine(); break;
    case 'H': screen_.HorizontalTabSet(); break;
    case 'c': Reset(); break;
    case 'Z': Reply(kIdentity); break;
    default:
      // Sequences with intermediates (ESC # 8, ...) end at their final byte.
      if (IsIntermediate(byte)) {
        escapeIntermediate_ = byte;
        state_ = State::EscapeIntermediate;
      }
      break;
  }
}

void EscapeParser::Designate(unsigned char byte) {
  state_ = State::Ground;
  switch (byte) {
    case 'B':
    case '1': screen_.SetCharSetUS_ASCII(designatedSet_); break;
    case 'A': screen_.SetCharSetUK_National(designatedSet_); break;
    case '0': screen_.SetCharSetSpecialGraphics(designatedSet_); break;
    case '2': screen_.SetCharSetExtendedGraphics(designatedSet_); break;
    default:
      // Sets named with an intermediate (ESC ( % 5) are not known here.
      if (IsIntermediate(byte)) {
        escapeIntermediate_ = 0;
        state_ = State::EscapeIntermediate;
      }
      break;
  }
}

void EscapeParser::Csi(unsigned char byte) {
  if (IsParameter(byte) && intermediate_) {
    malformed_ = true;
    if (byte == ';') count_ = AfterSeparator(count_);
  } else if (IsParameter(byte)) {
    const char parameter = static_cast<char>(byte);
    Parameters(&parameter, &parameter + 1);
  } else if (byte >= 0x3A && byte <= 0x3F) {
    // A private marker only leads; sub-parameters and other markers are not known here.
    if (byte == '?' && count_ == 0 && !private_ && !intermediate_) {
      private_ = true;
    } else {
      malformed_ = true;
    }
  } else if (IsIntermediate(byte)) {
    if (!intermediate_) firstIntermediate_ = byte;
    intermediate_ = true;
  } else if (IsFinal(byte)) {
    state_ = State::Ground;
    if (malformed_) return;
    if (private_) {
      DispatchPrivate(byte);
    } else {
      DispatchCsi(byte);
    }
  }
}

inline int EscapeParser::Param(int index, int fallback) const {
  if (index < 0 || index >= std::min(count_, kMaxParameters)) return fallback;
  const int value = params_[static_cast<std::size_t>(index)];
  return value == 0 ? fallback : value;
}

void EscapeParser::DispatchCsi(unsigned char final) {
  if (intermediate_) {
    if (firstIntermediate_ == '!' && final == 'p') {
      screen_.SoftTerminalReset();
      if (setup_.autoWrap) screen_.SetAutoWrapMode(true);
    }
    return;
  }
  const int n = Param(0, 1);
  switch (final) {
    case 'A': screen_.CursorUp(n); break;
    case 'B': screen_.CursorDown(n); break;
    case 'C': screen_.CursorForward(n); break;
    case 'D': MoveBackward(n); break;
    case 'E': screen_.CursorNextLine(n); break;
    case 'F': screen_.CursorPreviousLine(n); break;
    case 'G': screen_.HorizontalPositionAbs(n); break;
    case 'H':
    case 'f': screen_.CursorPosition(n, Param(1, 1)); break;
    case 'd': screen_.VerticalPositionAbs(n); break;
    case 'a': screen_.HorizontalPositionRel(n); break;
    case 'e': screen_.VerticalPositionRel(n); break;
    case 'I': TabForward(n); break;
    case 'Z': screen_.CursorBackwardTab(n); break;
    case 'J': screen_.EraseInDisplay(Param(0, 0), false); break;
    case 'K': screen_.EraseInLine(Param(0, 0)); break;
    case 'L': screen_.InsertLine(n); break;
    case 'M': screen_.DeleteLine(n); break;
    case '@': screen_.InsertCharacter(n); break;
    case 'P': screen_.DeleteCharacter(n); break;
    case 'X': screen_.EraseCharacter(n); break;
    case 'g': screen_.TabulationClear(Param(0, 0)); break;
    case 'r': screen_.SetScrollingRegion(Param(0, 0), Param(1, 0)); break;
    case 'm': SelectGraphicRendition(); break;
    case 'h': SetModes(true); break;
    case 'l': SetModes(false); break;
    case 's': screen_.SaveCursor(); break;
    case 'u': screen_.RestoreCursor(); break;
    case 'c':
      if (Param(0, 0) == 0) Reply(kIdentity);
      break;
    case 'n': ReportStatus(); break;
    case 'x': ReportParameters(); break;
    case 't':
      // Window manipulation 8 resizes the text area; absent sizes stay as they
      // are. Every row of a window is moved on each scroll: the rows are bounded.
      if (Param(0, 0) == 8) {
        screen_.SetWindowSize(std::min(Param(1, screen_.NumRows()), kLargestWindowRows),
                              std::min(Param(2, screen_.NumColumns()), ScreenBuffer::kMaxColumns),
                              true);
      }
      break;
    default: break;
  }
}

void EscapeParser::DispatchPrivate(unsigned char final) {
  if (intermediate_) return;
  if (final == 'h') SetModes(true);
  if (final == 'l') SetModes(false);
}

void EscapeParser::SelectGraphicRendition() {
  if (count_ == 0) {
    screen_.ResetVideo();
    return;
  }
  const int count = std::min(count_, kMaxParameters);
  for (int i = 0; i < count; ++i) {
    switch (params_[static_cast<std::size_t>(i)]) {
      case 38:
      case 48: {
        const int form = i + 1 < count ? params_[static_cast<std::size_t>(i + 1)] : 0;
        i += form == kIndexedColour ? 2 : form == kDirectColour ? 4 : 1;
        break;
      }
      case 0: screen_.ResetVideo(); break;
      case 1: screen_.SetVideoBold(); break;
      case 2: screen_.SetVideoSubdued(); break;
      case 4: screen_.SetVideoUnderlined(); break;
      case 5: screen_.SetVideoBlinking(); break;
      case 7: screen_.SetVideoReverse(); break;
      case 22:
        screen_.ResetVideoBold();
        screen_.ResetVideoSubdued();
        break;
      case 24: screen_.ResetVideoUnderlined(); break;
      case 25: screen_.ResetVideoBlinking(); break;
      case 27: screen_.ResetVideoReverse(); break;
      default: break;
    }
  }
}

void EscapeParser::SetModes(bool on) {
  for (int i = 0; i < std::min(count_, kMaxParameters); ++i) {
    const int mode = params_[static_cast<std::size_t>(i)];
    if (private_) {
      switch (mode) {
        case 1: screen_.SetCursorKeyMode(on); break;
        case 3: screen_.SetColumnMode(on); break;
        case 5: screen_.SetScreenMode(on); break;
        case 6: screen_.SetOriginMode(on); break;
        case 7: screen_.SetAutoWrapMode(on); break;
        default: break;
      }
    } else {
      switch (mode) {
        case 4: screen_.SetInsertMode(on); break;
        case 20: screen_.SetNewlineMode(on); break;
        default: break;
      }
    }
  }
}

// The screen keeps a cursor that waits to wrap one column past the last; a
// VT100 keeps it on the last column with a flag, and moves from there.
void EscapeParser::LeavePendingWrap() {
  if (screen_.GetCol() > screen_.VisColumns()) screen_.CursorBackward(1);
}

void EscapeParser::MoveBackward(int n) {
  LeavePendingWrap();
  screen_.CursorBackward(n);
}

// A tab from the last column stays there, where the screen would wait to wrap.
void EscapeParser::TabForward(int n) {
  LeavePendingWrap();
  if (screen_.GetCol() < screen_.VisColumns()) screen_.CursorHorizontalTab(n);
}

void EscapeParser::Reset() {
  screen_.ResetToInitialState();
  if (setup_.autoWrap) screen_.SetAutoWrapMode(true);
}

void EscapeParser::AlignmentPattern() {
  const std::wstring row(static_cast<std::size_t>(screen_.VisColumns()), L'E');
  screen_.SetScrollingRegion(0, 0);
  for (int r = 1; r <= screen_.VisRows(); ++r) {
    screen_.CursorPosition(r, 1);
    screen_.PutChars(row);
  }
  screen_.CursorPosition(1, 1);
}

void EscapeParser::Reply(std::string_view bytes) const {
  if (setup_.reply) setup_.reply(bytes);
}

void EscapeParser::ReportStatus() {
  if (Param(0, 0) == 5) Reply(kStatusOk);
  if (Param(0, 0) == 6) {
    // A cursor waiting to wrap is reported in the last column; in origin
    // mode the row counts from the scrolling region's top, as it is addressed.
    const int row = screen_.GetRow() - screen_.AddressedFromRow();
    const int col = std::min(screen_.GetCol(), screen_.VisColumns());
    Reply("\x1b[" + std::to_string(row) + ";" + std::to_string(col) + "R");
  }
}

void EscapeParser::ReportParameters() {
  // Asked with 0, the terminal reports unasked (2); asked with 1, on request only (3).
  const int asked = Param(0, 0);
  if (asked == 0 || asked == 1) Reply("\x1b[" + std::to_string(asked + 2) + std::string(kParameters));
}
