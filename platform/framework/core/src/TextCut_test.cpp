#include "brenmoor/core/TextCut.h"

#include <gtest/gtest.h>

#include <string>

#include "brenmoor/ui/CListCtrl.h"

namespace {

const std::wstring kGrin = L"\xD83D\xDE00";  // one character, two units

TEST(TextCutTest, CutsBeforeASurrogatePairItWouldSplit) {
  const struct {
    std::wstring text;
    std::size_t room;
    std::size_t fits;
  } cases[] = {
      {L"abc", 5, 3},          {L"abc", 2, 2},          {L"ab" + kGrin, 3, 2},   {L"ab" + kGrin, 4, 4},
      {kGrin + L"x", 1, 0},    {kGrin + L"x", 2, 2},    {L"\xD83Dx", 1, 1},      {L"\xDE00\xDE00", 1, 1},
      {L"", 0, 0},             {kGrin, 0, 0},
  };
  for (const auto& each : cases) EXPECT_EQ(UnitsThatFit(each.text, each.room), each.fits) << each.room;
}

// Headings, item texts and window texts copied into 256 units end before the pair, never in half of it.
TEST(TextCutTest, ControlsCopyingIntoABufferNeverSplitAPair) {
  CWnd parent;
  const std::wstring title254 = std::wstring(254, L't') + kGrin + L"z";
  ASSERT_TRUE(parent.Create(kGenericWindowClass, title254.c_str(), 0, {0, 0, 400, 300}, nullptr, 0));
  CListCtrl list;
  ASSERT_TRUE(list.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 300, 200}, &parent, 1));
  const std::wstring long254 = std::wstring(254, L'h') + kGrin;
  list.InsertColumn(0, long254.c_str(), LVCFMT_LEFT, 50);
  wchar_t heading[256] = {};
  LVCOLUMN column;
  column.mask = LVCF_TEXT;
  column.pszText = heading;
  column.cchTextMax = 256;
  ASSERT_TRUE(list.GetColumn(0, &column));
  EXPECT_EQ(std::wstring(heading), std::wstring(254, L'h'));

  for (const std::size_t before : {253u, 254u, 509u, 510u, 1021u}) {
    const std::wstring text = std::wstring(before, L'c') + kGrin + L"!";
    list.InsertItem(0, text.c_str());
    EXPECT_EQ(list.GetItemText(0, 0).Str(), text) << before;
    list.DeleteAllItems();
  }
  wchar_t title[256] = {};
  EXPECT_EQ(SendMessage(parent.m_hWnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(title)), 254);
  EXPECT_EQ(std::wstring(title), std::wstring(254, L't'));
}

}  // namespace
