#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brenmoor/core/CTime.h"
#include "brenmoor/win/WinUtils.h"

namespace {

TEST(WinUtilsExportTest, TheDateReplacesTheFileNamesOwnExtension) {
  CTime::Substitute clock(CTime(2026, 3, 4, 23, 59, 0));
  const std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {L"C:\\data\\x.csv", L"C:\\data\\x_2026-03-04.txt"},
      {L"/home/u/a.b/c.d", L"/home/u/a.b/c_2026-03-04.txt"},
      {L"report.tar.gz", L"report.tar_2026-03-04.txt"},
      {L"C:\\my.dir\\export", L"C:\\my.dir\\export"},
      {L"/home/u/a.b/export", L"/home/u/a.b/export"},
      {L"C:\\mixed/sep.x\\name", L"C:\\mixed/sep.x\\name"},
      {L"export", L"export"},
      {L"", L""},
      {L".hidden", L"_2026-03-04.txt"},
      {L"trailing.", L"trailing_2026-03-04.txt"},
  };
  for (const auto& [name, expected] : cases) {
    CString changed(name);
    WinUtils::AppendDateToFileName(changed);
    EXPECT_EQ(changed.Str(), expected) << ::testing::PrintToString(name);
  }
}

}  // namespace
