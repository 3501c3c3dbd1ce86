#pragma once
// Character sources for Tokenizer: the abstract source, and the one that
// reads a string held in memory.

#include <utility>

#include "brenmoor/core/CString.h"

// Yields text one UTF-16 code unit at a time.
class TokenizerStream {
 public:
  virtual ~TokenizerStream();
  // The next code unit, advancing past it.
  virtual wchar_t NextChar() = 0;
  // True once a read has found nothing left; a source need not know its
  // length in advance, so it is false until then.
  virtual bool AtEnd() const = 0;
};

class StringTokenizerStream : public TokenizerStream {
 public:
  explicit StringTokenizerStream(CString text) : text_(std::move(text)) {}

  // 0 once the text is used up; a 0 inside the text is an ordinary unit,
  // which is why the end is told by AtEnd.
  wchar_t NextChar() override;
  bool AtEnd() const override { return atEnd_; }

 private:
  CString text_;
  int position_ = 0;
  bool atEnd_ = false;
};
