#pragma once
// The settings of one delimited-text export (separator, qualifier, target
// file, titles, banner and date options), the output form of one field, and
// their place in a host's archive.

#include "brenmoor/core/CArchive.h"
#include "brenmoor/core/CString.h"

// The host's names for the tab and space delimiters and for "no qualifier",
// loaded once by a writer of many fields.
struct CExportHostNames {
  static CExportHostNames Load();

  CString tab;
  CString space;
  CString noQualifier;
};

class CExportFormat {
 public:
  // Host string-table entries.
  static constexpr UINT kTabDelimiterName = 692;
  static constexpr UINT kSpaceDelimiterName = 693;
  static constexpr UINT kNoQualifierName = 694;

  CExportFormat();

  CString GetDelimiter() const { return Delimiter; }
  CString GetQuote() const { return Quote; }
  CString GetFilename() const { return Filename; }
  int GetTitles() const { return Titles; }
  void SetDelimiter(const CString& delimiter) { Delimiter = delimiter; }
  void SetQuote(const CString& quote) { Quote = quote; }
  void SetTitles(int titles) { Titles = titles; }
  // A name ending in ".csv", in any case, switches comma-separated output on.
  void SetFilename(const CString& filename);

  // [delimiter] qualifier value qualifier; the delimiter only when the field
  // does not begin a line. Comma-separated output quotes a value holding a
  // comma, a double quote or a line break and doubles its double quotes.
  CString FormatData(CString value, bool first) const;
  CString FormatData(const CString& value, bool first, const CExportHostNames& names) const;
  // The same output form appended to a caller's buffer, for writers of many fields.
  void AppendFormatted(std::wstring& out, std::wstring_view value, bool first, const CExportHostNames& names) const;

  // Loads by the schema of the archive being read (CSchemaManager).
  void Serialize(CArchive& archive);

  // Host applications read and write these as their own; CsvMode only ever
  // goes back to 0 by copying another format over this one.
  int TimestampBanner;
  int DateInFilename;
  int TitlesCheck;
  CString Delimiter;
  CString Quote;
  CString Filename;
  int Titles;
  int CsvMode;
};
