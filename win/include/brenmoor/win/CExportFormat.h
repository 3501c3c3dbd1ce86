#pragma once
// The settings of one delimited-text export (separator, qualifier, target
// file, titles, banner and date options), the output form of one field, and
// their place in a host's archive.

#include <string>
#include <string_view>

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
  // The same output form appended to a caller's buffer.
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

// A format's output form of fields for writers of many: the delimiter and
// qualifier resolved once against the host's names, and each field written
// straight in UTF-8, every line feed as CR LF when the file is in text mode.
class CExportFieldWriter {
 public:
  // The format and names must outlive the writer.
  CExportFieldWriter(const CExportFormat& format, const CExportHostNames& names, bool textMode);

  // The most bytes a field or text of that many units can take.
  static std::size_t MostBytes(std::size_t units) { return kMostBytesPerUnit * units; }
  std::size_t MostFieldBytes(std::size_t units) const { return MostBytes(units) + separatorBytes_; }
  // Writes the field's bytes at out, which has MostFieldBytes room; returns their end.
  char* WriteField(char* out, std::wstring_view value, bool first);
  // Writes unformatted text, line feeds as the mode writes them; out has MostBytes room.
  char* WriteText(char* out, std::wstring_view text) const;

 private:
  // A unit beyond UTF-16 takes four bytes; a line feed or a doubled quote two.
  static constexpr std::size_t kMostBytesPerUnit = 4;

  char* WriteJoined(char* out, std::wstring_view value, bool first);

  const CExportFormat& format_;
  const CExportHostNames& names_;
  bool textMode_;
  bool csv_;
  // A surrogate in the delimiter or qualifier could pair with the value's
  // across the join, so such fields are joined before they are converted.
  bool joinFirst_;
  std::string delimiter_;
  std::string quote_;
  std::size_t separatorBytes_;
  std::wstring joined_;
};
