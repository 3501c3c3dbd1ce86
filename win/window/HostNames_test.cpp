// What a host written against the real framework names and expects to find.

#include <gtest/gtest.h>

#include <vector>

#include "brenmoor/win/CDocWithID.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/win/CListCtrlSorter.h"

namespace {

template <typename Class>
concept NamesARuntimeClass = requires { RUNTIME_CLASS(Class); };

// A document class without a run-time class of its own has none to name, as
// on the real framework: it would stand for CDocument's and make IsKindOf
// true of every document.
static_assert(NamesARuntimeClass<CDocument>);
static_assert(!NamesARuntimeClass<CDocWithID>);

TEST(HostNamesTest, FlagsColumnFormatsAndTheStringsBuffer) {
  EXPECT_EQ(TRUE, 1);
  EXPECT_EQ(FALSE, 0);
  CWnd parent;
  parent.Create(kGenericWindowClass, L"Host", WS_OVERLAPPEDWINDOW, {0, 0, 300, 200}, nullptr, 0);
  CListCtrl list;
  list.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 280, 180}, &parent, 1);
  list.InsertColumn(0, L"Left", LVCFMT_LEFT);
  list.InsertColumn(1, L"Right", LVCFMT_RIGHT);
  list.InsertColumn(2, L"Centre", LVCFMT_CENTER);
  std::vector<int> formats;
  for (int column = 0; column < 3; ++column) {
    LVCOLUMN description;
    description.mask = LVCF_FMT;
    list.GetColumn(column, &description);
    formats.push_back(description.fmt);
  }
  EXPECT_EQ(formats, (std::vector<int>{0, 1, 2}));
  const CString text(L"kestle");
  EXPECT_STREQ(text.GetString(), L"kestle");
}

// The list control's own sort orders items by their item data with the
// sorter's integer comparison; equal data keep their order.
TEST(HostNamesTest, TheListSortsItsItemsByItemDataWithTheSortersComparison) {
  CWnd parent;
  parent.Create(kGenericWindowClass, L"Host", WS_OVERLAPPEDWINDOW, {0, 0, 300, 200}, nullptr, 0);
  CListCtrl list;
  list.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 280, 180}, &parent, 1);
  list.InsertColumn(0, L"Link");
  const std::vector<std::pair<const wchar_t*, LPARAM>> items = {
      {L"L03", 30}, {L"L01", -5}, {L"L04", 30}, {L"L02", 7}};
  for (const auto& [text, data] : items) {
    const int at = list.InsertItem(list.GetItemCount(), text);
    list.SetItemData(at, static_cast<DWORD_PTR>(data));
  }
  list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_TRUE(list.SortItems(&CListCtrlSorter::CompareIntFunc, 0));
  std::vector<CString> order;
  for (int row = 0; row < list.GetItemCount(); ++row) order.push_back(list.GetItemText(row, 0));
  EXPECT_EQ(order, (std::vector<CString>{L"L01", L"L02", L"L03", L"L04"}));
  EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));  // L03's state went with it
  EXPECT_FALSE(list.SortItems(nullptr, 0));
}

}  // namespace
