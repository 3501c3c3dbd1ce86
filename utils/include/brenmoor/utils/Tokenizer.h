#pragma once
// Reads delimited records such as "120;80;-1;" field by field. It reads one
// character ahead, so Eof is true as soon as the last character is consumed.

#include <stdexcept>
#include <string>

#include "brenmoor/core/CString.h"
#include "brenmoor/utils/TokenizerStream.h"

// The input does not hold what the call expects. what() reads like
// "expected ';' at character offset 3"; offsets count UTF-16 units from 0.
class TokenizerException : public std::runtime_error {
 public:
  TokenizerException(const std::string& expected, int offset);
};

class Tokenizer {
 public:
  // The stream is not owned and must outlive the tokenizer. skipWhiteSpace:
  // blanks and tabs before ReadInt and Match are passed over. commentChar: 0
  // for none; otherwise, where blanks would be passed over, it starts a
  // comment that is passed over up to the next line feed (kept).
  Tokenizer(TokenizerStream* stream, bool skipWhiteSpace, wchar_t commentChar);
  ~Tokenizer();
  Tokenizer(const Tokenizer&) = delete;
  Tokenizer& operator=(const Tokenizer&) = delete;

  bool Eof() const;
  // The text before the next of the delimiters, taken as it is (blanks and
  // comment characters included); the delimiter stays unread. Never throws:
  // at the end of the input it returns what was left, possibly nothing, and
  // a missing delimiter is caught by the Match that follows.
  CString ReadUntil(const wchar_t* delimiters);
  void Match(wchar_t c);
  // Decimal, with an optional '-' or '+'. After a throw the characters read
  // so far stay consumed.
  int ReadInt();

 private:
  void Advance();
  // Stops early at `wanted`, so that Match(L'\t') works with skipping on.
  void SkipIgnored(wchar_t wanted);
  void SkipComment();
  bool AtDigit() const;
  bool ReadSign();
  long long ReadDigits(long long limit, int start);

  TokenizerStream* stream_;
  bool skipWhiteSpace_;
  wchar_t commentChar_;
  wchar_t next_ = 0;  // meaningful only while !Eof()
  int offset_ = 0;    // of next_
};
