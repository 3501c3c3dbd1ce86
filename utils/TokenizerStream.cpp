#include "brenmoor/utils/TokenizerStream.h"

// Out of line so that the class's vtable has one home.
TokenizerStream::~TokenizerStream() = default;

wchar_t StringTokenizerStream::NextChar() {
  if (position_ < text_.GetLength()) return text_[position_++];
  atEnd_ = true;
  return 0;
}
