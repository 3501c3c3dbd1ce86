#pragma once
// The keys by which CListCtrlSorter orders rows, each built from a cell's
// text: a CString, or length units followed by a terminator as the list
// holds them. Every key kind has operator<; rows whose keys are neither less
// nor greater than each other are equal to the sort.

#include <cstddef>
#include <string>

#include "brenmoor/core/COleDateTime.h"
#include "brenmoor/core/CString.h"

// The text with A to Z lower-cased, as the C runtime lower-cases in its
// default locale; ordered by UTF-16 code units, so case of A to Z is ignored.
class TextKey {
 public:
  explicit TextKey(const CString& text) : TextKey(text.GetString(), static_cast<std::size_t>(text.GetLength())) {}
  TextKey(const wchar_t* text, std::size_t length);
  const std::wstring& Value() const { return value_; }
  friend bool operator<(const TextKey& a, const TextKey& b) { return a.value_ < b.value_; }

 private:
  std::wstring value_;
};

// The date and time the text names in the user's locale. Text that names
// none, empty text included, comes before every date and is equal to every
// other such text, as empty cells come first in the number sorts: an order
// the sort can rely on around them.
class DateTimeKey {
 public:
  explicit DateTimeKey(const CString& text) : DateTimeKey(text.GetString(), static_cast<std::size_t>(text.GetLength())) {}
  DateTimeKey(const wchar_t* text, std::size_t length);
  const COleDateTime& Value() const { return value_; }
  friend bool operator<(const DateTimeKey& a, const DateTimeKey& b) {
    if (!b.IsDate()) return false;
    return !a.IsDate() || a.value_ < b.value_;
  }

 private:
  bool IsDate() const { return value_.GetStatus() == COleDateTime::valid; }

  COleDateTime value_;
};

// The leading integer as the C runtime's _wtoi reads it; empty text is the
// smallest 32-bit integer, so empty cells come before every number.
class IntegerKey {
 public:
  explicit IntegerKey(const CString& text) : IntegerKey(text.GetString(), static_cast<std::size_t>(text.GetLength())) {}
  IntegerKey(const wchar_t* text, std::size_t length);
  int Value() const { return value_; }
  friend bool operator<(const IntegerKey& a, const IntegerKey& b) { return a.value_ < b.value_; }

 private:
  int value_;
};

// The leading number as the C runtime's atof reads the text in the ANSI code
// page; empty text is the most negative finite double, before every number.
class DoubleKey {
 public:
  explicit DoubleKey(const CString& text) : DoubleKey(text.GetString(), static_cast<std::size_t>(text.GetLength())) {}
  DoubleKey(const wchar_t* text, std::size_t length);
  double Value() const { return value_; }
  friend bool operator<(const DoubleKey& a, const DoubleKey& b) { return a.value_ < b.value_; }

 private:
  double value_;
};
