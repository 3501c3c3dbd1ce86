#pragma once
// Writes one delimited-text export: opens the format's file for appending,
// writes the dated banner when asked, then takes fields and line ends. Every
// byte is UTF-8; text mode writes each line feed as CR LF.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "brenmoor/win/CExportFormat.h"
#include "brenmoor/core/CFile.h"

class CExportFile {
 public:
  // Either flag forces the banner whatever the format says.
  CExportFile(const CExportFormat& format, bool forceBanner1, bool forceBanner2);
  // An export that was not closed completely is cut back to the file's
  // length before it began, without throwing: earlier exports stay whole
  // and no row is left half-written.
  ~CExportFile();
  CExportFile(const CExportFile&) = delete;
  CExportFile& operator=(const CExportFile&) = delete;

  // False when the file cannot be opened; GetError then says why and
  // nothing has been written.
  bool Open(bool binary);
  // The writes and Close throw CFileException when the file cannot take the bytes.
  void WriteField(const CString& text);
  // The first length characters of the text as one field.
  void WriteField(const wchar_t* text, int length);
  void WriteField(int value);
  void WriteNewline();
  void WriteLine(const CString& text);
  void WriteStream(const CString& text);
  // Throws CFileException when the rest cannot be written; the file is then cut back.
  void Close();
  CString GetError() const { return Error; }
  // The file written: the format's name with the date put in when the format asks for it.
  const CString& GetFilename() const { return format_.Filename; }

 private:
  void WriteBanner();
  void WriteText(std::wstring_view text, bool lineFeed);
  // Room for that many more bytes in the output buffer; throws as the
  // stream does when the file is not open.
  char* Room(std::size_t bytes);
  void Flush();
  void CutBack();

  CExportFormat format_;
  CString Error;
  CStdioFile stream_;
  std::optional<std::uint64_t> startLength_;  // once open: what the file held before
  bool complete_ = false;
  bool AtLineStart = true;
  bool ForceBanner1;
  bool ForceBanner2;
  CExportHostNames hostNames_;
  std::optional<CExportFieldWriter> writer_;  // while the stream is open
  // Bytes formatted in place and handed to the stream in large blocks.
  std::vector<char> buffer_;
  std::size_t used_ = 0;
};
