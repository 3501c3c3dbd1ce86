#include "SessionDecoder.h"

#include <algorithm>

#include "brenmoor/win/ScreenBuffer.h"

namespace {

constexpr unsigned char kEsc = 0x1B;
// Larger parameters are cut to this: no screen is that large.
constexpr int kLargestParameter = 9999;
// The one private mode the sessions set: lines that do not wrap.
constexpr int kAutoWrapMode = 7;

}  // namespace

void SessionDecoder::Feed(std::string_view bytes) {
  for (const char byte : bytes) {
    const auto code = static_cast<unsigned char>(byte);
    if (code == kEsc) {
      state_ = State::Escape;
      params_.clear();
      private_ = false;
      continue;
    }
    switch (state_) {
      case State::Text: Text(code); break;
      case State::Escape: Escape(code); break;
      case State::Designate: Designate(code); break;
      case State::Csi: Csi(code); break;
    }
  }
}

void SessionDecoder::Text(unsigned char byte) {
  switch (byte) {
    case '\b': screen_.CursorBackward(1); break;
    case '\t': screen_.CursorHorizontalTab(1); break;
    case '\n': screen_.Index(); break;
    case '\r': screen_.CarriageReturn(); break;
    case 0x0E: screen_.ShiftOut(); break;
    case 0x0F: screen_.ShiftIn(); break;
    default:
      if (byte >= 0x20 && byte != 0x7F) screen_.PutChar(static_cast<wchar_t>(byte));
      break;
  }
}

void SessionDecoder::Escape(unsigned char byte) {
  state_ = State::Text;
  switch (byte) {
    case '[': state_ = State::Csi; break;
    case '(':
    case ')':
      designated_ = byte == '(' ? 0 : 1;
      state_ = State::Designate;
      break;
    case '7': screen_.SaveCursor(); break;
    case '8': screen_.RestoreCursor(); break;
    case 'D': screen_.Index(); break;
    case 'M': screen_.ReverseIndex(); break;
    case 'E': screen_.NextLine(); break;
    case 'H': screen_.HorizontalTabSet(); break;
    case 'c': screen_.ResetToInitialState(); break;
    default: break;
  }
}

void SessionDecoder::Designate(unsigned char byte) {
  state_ = State::Text;
  switch (byte) {
    case 'B': screen_.SetCharSetUS_ASCII(designated_); break;
    case 'A': screen_.SetCharSetUK_National(designated_); break;
    case '0': screen_.SetCharSetSpecialGraphics(designated_); break;
    case '2': screen_.SetCharSetExtendedGraphics(designated_); break;
    default: break;
  }
}

void SessionDecoder::Csi(unsigned char byte) {
  if (byte >= '0' && byte <= '9') {
    if (params_.empty()) params_.push_back(0);
    params_.back() = std::min(params_.back() * 10 + (byte - '0'), kLargestParameter);
  } else if (byte == ';') {
    if (params_.empty()) params_.push_back(0);
    params_.push_back(0);
  } else if (byte == '?') {
    private_ = true;
  } else if (byte >= 0x40 && byte <= 0x7E) {
    state_ = State::Text;
    if (!private_) {
      DispatchCsi(byte);
    } else if ((byte == 'h' || byte == 'l') && Param(0, 0) == kAutoWrapMode) {
      screen_.SetAutoWrapMode(byte == 'h');
    }
  }
}

int SessionDecoder::Param(std::size_t index, int fallback) const {
  return index < params_.size() && params_[index] != 0 ? params_[index] : fallback;
}

void SessionDecoder::DispatchCsi(unsigned char final) {
  const int n = Param(0, 1);
  switch (final) {
    case 'A': screen_.CursorUp(n); break;
    case 'B': screen_.CursorDown(n); break;
    case 'C': screen_.CursorForward(n); break;
    case 'D': screen_.CursorBackward(n); break;
    case 'H':
    case 'f': screen_.CursorPosition(n, Param(1, 1)); break;
    case 'J': screen_.EraseInDisplay(Param(0, 0), false); break;
    case 'K': screen_.EraseInLine(Param(0, 0)); break;
    case '@': screen_.InsertCharacter(n); break;
    case 'P': screen_.DeleteCharacter(n); break;
    case 'L': screen_.InsertLine(n); break;
    case 'M': screen_.DeleteLine(n); break;
    case 'g': screen_.TabulationClear(Param(0, 0)); break;
    case 'r': screen_.SetScrollingRegion(Param(0, 0), Param(1, 0)); break;
    case 'm': SelectGraphicRendition(); break;
    default: break;
  }
}

void SessionDecoder::SelectGraphicRendition() {
  if (params_.empty()) params_.push_back(0);
  for (const int rendition : params_) {
    switch (rendition) {
      case 0: screen_.ResetVideo(); break;
      case 1: screen_.SetVideoBold(); break;
      case 2: screen_.SetVideoSubdued(); break;
      case 4: screen_.SetVideoUnderlined(); break;
      case 5: screen_.SetVideoBlinking(); break;
      case 7: screen_.SetVideoReverse(); break;
      default: break;
    }
  }
}
