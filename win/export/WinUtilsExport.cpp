#include <string>

#include "CTime.h"
#include "Utils.h"
#include "WinUtils.h"

// Only the file name's own extension counts: a dot in a folder name does not.
void WinUtils::AppendDateToFileName(CString& name) {
  const std::wstring& text = name.Str();
  const std::size_t folderEnd = text.find_last_of(L"\\/");
  const std::size_t dot = text.rfind(L'.');
  if (dot == std::wstring::npos || (folderEnd != std::wstring::npos && dot < folderEnd)) return;
  const CString date = CTime::GetCurrentTime().Format(Utils::GetDefaultDateFormatSpecifier());
  name = name.Left(static_cast<int>(dot)) + L"_" + date + L".txt";
}
