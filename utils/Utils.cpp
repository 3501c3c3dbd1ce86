#include "brenmoor/utils/Utils.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "brenmoor/core/CTime.h"
#include "TextEncoding.h"

namespace {

constexpr char kSeparator = std::filesystem::path::preferred_separator;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string WithSeparator(std::string path) {
  if (!path.ends_with(kSeparator)) path += kSeparator;
  return path;
}

std::string CurrentFolder() {
  // "." still names it when the folder has been removed under us.
  std::error_code error;
  const std::string current = std::filesystem::current_path(error).string();
  return current.empty() ? "." : current;
}

std::string DocumentsFolder() {
  if (std::string documents = Environment("XDG_DOCUMENTS_DIR"); !documents.empty()) return documents;
  if (std::string home = Environment("HOME"); !home.empty()) return WithSeparator(home) + "Documents";
  return CurrentFolder();
}

}  // namespace

CString Utils::GetDefaultFieldDelimiter() { return L","; }

CString Utils::GetDefaultTextQualifier() { return L"\""; }

CString Utils::GetDefaultExportDir() {
  return CString::FromUtf8(WithSeparator(WithSeparator(DocumentsFolder()) + "Exports"));
}

CString Utils::GetDefaultDateFormatSpecifier() { return L"%Y-%m-%d"; }

CString Utils::GetCurrentDateAndTime() { return CTime::GetCurrentTime().Format(L"%Y-%m-%d %H:%M:%S"); }

std::string Utils::ToANSI(const CString& text) {
  // ToUtf8 turns an unpaired surrogate into U+FFFD, which the code page
  // cannot hold either, so it too comes out as one '?'.
  return platform::encoding::AnsiFromUtf8(text.ToUtf8());
}
