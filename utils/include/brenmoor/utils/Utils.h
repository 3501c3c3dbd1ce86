#pragma once
// Defaults shared by the suite's export and print features, and text in the
// Windows ANSI code page for files that other programs read as ANSI.

#include <string>

#include "brenmoor/core/CString.h"

class Utils {
 public:
  Utils() = delete;

  static CString GetDefaultFieldDelimiter();  // ","
  static CString GetDefaultTextQualifier();   // "\""
  // <documents>/Exports/ with the host's separator ('/' here), always ending
  // in it. <documents> is $XDG_DOCUMENTS_DIR, else $HOME/Documents, else the
  // current folder; an empty variable counts as unset.
  static CString GetDefaultExportDir();
  // strftime codes of a date alone, "%Y-%m-%d": it names files (no ":")
  // and stands before the export banner's own time.
  static CString GetDefaultDateFormatSpecifier();
  // The clock's local date and time: "%Y-%m-%d %H:%M:%S".
  static CString GetCurrentDateAndTime();
  // Windows-1252, one byte per character; '?' for each character it cannot
  // hold (a surrogate pair is one character, an unpaired surrogate another).
  static std::string ToANSI(const CString& text);
};
