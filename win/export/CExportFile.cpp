#include "CExportFile.h"

#include <unistd.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <new>

#include "brenmoor/core/CException.h"
#include "brenmoor/core/CTime.h"
#include "brenmoor/core/TextCut.h"
#include "Utils.h"
#include "WinUtils.h"

namespace {

// The platform's error texts are taken into a buffer of 256 characters.
constexpr int kErrorLimit = 255;

constexpr UINT kOpenFlags = CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::shareExclusive;

CString ErrorText(const CFileException& error) {
  const CString text = error.GetErrorMessage();
  return text.Left(static_cast<int>(UnitsThatFit(text.Str(), kErrorLimit)));
}

// "  0:05 PM  -  Data Export": the hour after noon is 0 PM, as after midnight 0 AM.
CString BannerTime(const CTime& now) {
  const int hour = now.GetHour();
  wchar_t text[64];
  std::swprintf(text, std::size(text), hour < 12 ? L"  %d:%02d AM  -  Data Export" : L"  %d:%02d PM  -  Data Export",
                hour < 12 ? hour : hour - 12, now.GetMinute());
  return text;
}

}  // namespace

CExportFile::CExportFile(const CExportFormat& format, bool forceBanner1, bool forceBanner2)
    : format_(format), ForceBanner1(forceBanner1), ForceBanner2(forceBanner2) {}

CExportFile::~CExportFile() {
  if (!complete_) CutBack();
}

// The ".csv" rule applies to the name written, however it was given (typed
// or browsed in the dialog, or set by the host), so that a ".csv" file
// always reads back with CSV readers.
bool CExportFile::Open(bool binary) {
  CString name = format_.GetFilename();
  if (format_.DateInFilename != 0) WinUtils::AppendDateToFileName(name);
  format_.SetFilename(name);
  CFileException error;
  if (!stream_.Open(format_.GetFilename(), kOpenFlags | (binary ? CFile::typeBinary : CFile::typeText), &error)) {
    Error = ErrorText(error);
    return false;
  }
  hostNames_ = CExportHostNames::Load();
  try {
    startLength_ = stream_.SeekToEnd();
  } catch (const CFileException& failed) {
    stream_.Abort();
    Error = ErrorText(failed);
    return false;
  }
  if (format_.TimestampBanner != 0 || ForceBanner1 || ForceBanner2) WriteBanner();
  return true;
}

// An empty line, the date and time of the export, another empty line.
void CExportFile::WriteBanner() {
  stream_.SeekToEnd();
  WriteNewline();
  const CTime now = CTime::GetCurrentTime();
  WriteLine(now.Format(Utils::GetDefaultDateFormatSpecifier()) + BannerTime(now));
  WriteNewline();
}

void CExportFile::WriteField(const CString& text) { WriteField(text, text.GetLength()); }

void CExportFile::WriteField(const wchar_t* text, int length) {
  try {
    formatted_.clear();
    format_.AppendFormatted(formatted_, {text, static_cast<std::size_t>(std::max(length, 0))}, AtLineStart, hostNames_);
    // The buffer only grows, so converting costs no clearing of it.
    if (utf8_.size() < 4 * formatted_.size()) utf8_.resize(4 * formatted_.size());
  } catch (const std::bad_alloc&) {
    return;  // a field there is no memory for is dropped
  }
  const char* end = CString::WriteUtf8(formatted_, utf8_.data());
  stream_.Write(utf8_.data(), static_cast<UINT>(end - utf8_.data()));
  AtLineStart = false;
}

void CExportFile::WriteField(int value) {
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"%d", value);
  WriteField(CString(text));
}

void CExportFile::WriteNewline() {
  stream_.Write("\n", 1);
  AtLineStart = true;
}

void CExportFile::WriteLine(const CString& text) { WriteUtf8(text, true); }

void CExportFile::WriteStream(const CString& text) { WriteUtf8(text, false); }

void CExportFile::WriteUtf8(const CString& text, bool lineFeed) {
  utf8_.clear();
  text.AppendUtf8(utf8_);
  if (lineFeed) utf8_ += '\n';
  stream_.Write(utf8_.data(), static_cast<UINT>(utf8_.size()));
}

void CExportFile::Close() {
  try {
    stream_.Close();
  } catch (const CFileException&) {
    CutBack();
    throw;
  }
  complete_ = true;
}

// Best effort: a file that cannot be cut, a device say, keeps what it holds.
void CExportFile::CutBack() {
  stream_.Abort();
  if (!startLength_) return;
  [[maybe_unused]] const int ignored = ::truncate(stream_.GetFilePath().ToUtf8().c_str(), static_cast<off_t>(*startLength_));
}
