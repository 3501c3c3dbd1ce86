#include "brenmoor/win/CExportFile.h"

#include <unistd.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <new>
#include <utility>

#include "brenmoor/core/CException.h"
#include "brenmoor/core/CTime.h"
#include "brenmoor/core/TextCut.h"
#include "brenmoor/utils/Utils.h"
#include "brenmoor/win/WinUtils.h"

namespace {

// The platform's error texts are taken into a buffer of 256 characters.
constexpr int kErrorLimit = 255;

constexpr std::size_t kBufferSize = 64 * 1024;

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
  // The stream takes bytes as they are: the writer puts in the carriage
  // returns of text mode itself, so that lines without a line feed inside
  // need no scan for one.
  if (!stream_.Open(format_.GetFilename(), kOpenFlags | CFile::typeBinary, &error)) {
    Error = ErrorText(error);
    return false;
  }
  hostNames_ = CExportHostNames::Load();
  writer_.emplace(format_, hostNames_, !binary);
  buffer_.resize(kBufferSize);
  try {
    startLength_ = stream_.SeekToEnd();
  } catch (const CFileException& failed) {
    stream_.Abort();
    writer_.reset();
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
  const std::wstring_view value(text, static_cast<std::size_t>(std::max(length, 0)));
  char* out = nullptr;
  try {
    out = Room(writer_ ? writer_->MostFieldBytes(value.size()) : 0);
  } catch (const std::bad_alloc&) {
    return;  // a field there is no memory for is dropped
  }
  used_ = static_cast<std::size_t>(writer_->WriteField(out, value, AtLineStart) - buffer_.data());
  if (used_ >= kBufferSize) Flush();
  AtLineStart = false;
}

void CExportFile::WriteField(int value) {
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"%d", value);
  WriteField(CString(text));
}

void CExportFile::WriteNewline() {
  WriteText(L"\n", false);
  AtLineStart = true;
}

void CExportFile::WriteLine(const CString& text) { WriteText(text.Str(), true); }

void CExportFile::WriteStream(const CString& text) { WriteText(text.Str(), false); }

void CExportFile::WriteText(std::wstring_view text, bool lineFeed) {
  char* out = Room(CExportFieldWriter::MostBytes(text.size() + 1));
  out = writer_->WriteText(out, text);
  if (lineFeed) out = writer_->WriteText(out, L"\n");
  used_ = static_cast<std::size_t>(out - buffer_.data());
  if (used_ >= kBufferSize) Flush();
}

char* CExportFile::Room(std::size_t bytes) {
  if (!writer_) stream_.Write(nullptr, 0);
  if (used_ + bytes > buffer_.size()) {
    Flush();
    if (bytes > buffer_.size()) buffer_.resize(bytes);
  }
  return buffer_.data() + used_;
}

// What the stream refuses is not offered again: the buffer is empty either way.
void CExportFile::Flush() { stream_.Write(buffer_.data(), static_cast<UINT>(std::exchange(used_, 0))); }

void CExportFile::Close() {
  try {
    if (writer_) Flush();
    writer_.reset();
    stream_.Close();
  } catch (const CFileException&) {
    CutBack();
    throw;
  }
  complete_ = true;
}

// Best effort: a file that cannot be cut, a device say, keeps what it holds.
void CExportFile::CutBack() {
  writer_.reset();
  used_ = 0;
  stream_.Abort();
  if (!startLength_) return;
  [[maybe_unused]] const int ignored = ::truncate(stream_.GetFilePath().ToUtf8().c_str(), static_cast<off_t>(*startLength_));
}
