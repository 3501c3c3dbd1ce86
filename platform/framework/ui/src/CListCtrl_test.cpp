#include "brenmoor/ui/CListCtrl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

class ListRowsTest : public ::testing::Test {
 protected:
  // Two columns; row r holds "a<r>", "b<r>", image r, item data 100 + r.
  ListRowsTest() {
    parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 400, 300}, nullptr, 0);
    list.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 300, 200}, &parent, 9);
    list.InsertColumn(0, L"A");
    list.InsertColumn(1, L"B");
    for (int row = 0; row < 4; ++row) {
      const std::wstring n = std::to_wstring(row);
      list.InsertItem(row, (L"a" + n).c_str());
      list.SetItemText(row, 1, (L"b" + n).c_str());
      list.SetItemData(row, static_cast<DWORD_PTR>(100 + row));
      LVITEM image;
      image.mask = LVIF_IMAGE;
      image.iItem = row;
      image.iImage = row;
      list.SetItem(&image);
    }
    list.SetItemText(0, 3, L"beyond");  // a sub-item the header has no column for
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED | 0x0010, 0xFFFF);
    list.SetItemState(2, LVIS_CUT | 0x2300 | 0x0040, 0xFFFF);
  }

  // Each row as "texts of sub-items 0 to 3 | image | item data | state".
  Rows Shown() const {
    Rows shown;
    for (int row = 0; row < list.GetItemCount(); ++row) {
      std::string line;
      for (int sub = 0; sub < 4; ++sub) line += list.GetItemText(row, sub).ToUtf8() + ",";
      char rest[64];
      std::snprintf(rest, sizeof rest, " %d %d %04x", ImageOf(row), static_cast<int>(list.GetItemData(row)),
                    list.GetItemState(row, 0xFFFF));
      shown.push_back(line + rest);
    }
    return shown;
  }
  int ImageOf(int row) const {
    LVITEM item;
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    list.GetItem(&item);
    return item.iImage;
  }

  CWnd parent;
  CListCtrl list;
  const Rows start = {"a0,b0,,beyond, 0 100 0013", "a1,b1,,, 1 101 0000", "a2,b2,,, 2 102 2344",
                      "a3,b3,,, 3 103 0000"};
};

TEST_F(ListRowsTest, APermutationMovesRowsAsASortDoesLeavingOtherBitsAndTextsInPlace) {
  ASSERT_EQ(Shown(), start);
  const std::vector<int> origins = {2, 0, 3, 1};
  EXPECT_TRUE(list.PermuteItems(0, origins));
  EXPECT_EQ(Shown(), (Rows{"a2,b2,,beyond, 2 102 2314", "a0,b0,,, 0 100 0003", "a3,b3,,, 3 103 0040",
                           "a1,b1,,, 1 101 0000"}));
}

TEST_F(ListRowsTest, APermutationThatDoesNotNameEachRowOnceMovesNothing) {
  const std::vector<std::pair<int, std::vector<int>>> refused = {
      {0, {0, 0, 1, 2}}, {1, {0, 1, 2}}, {-1, {0, 1}}, {2, {2, 3, 4}}, {3, {4}},
  };
  for (const auto& [first, origins] : refused) EXPECT_FALSE(list.PermuteItems(first, origins)) << first;
  EXPECT_TRUE(list.PermuteItems(4, {}));
  EXPECT_TRUE(list.PermuteItems(0, std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(Shown(), start);
}

int DescendingData(LPARAM a, LPARAM b, LPARAM) { return a < b ? 1 : a > b ? -1 : 0; }

TEST_F(ListRowsTest, SortingByItemDataMovesWholeItems) {
  ASSERT_TRUE(list.SortItems(&DescendingData, 0));
  EXPECT_EQ(Shown(), (Rows{"a3,b3,,, 3 103 0000", "a2,b2,,, 2 102 2344", "a1,b1,,, 1 101 0000",
                           "a0,b0,,beyond, 0 100 0013"}));
}

TEST_F(ListRowsTest, CellsReadInPlaceAreTheWholeTexts) {
  const std::wstring longText(1000, L'x');
  list.SetItemText(1, 1, longText.c_str());
  const CListCells cells = list.GetCells();
  EXPECT_EQ(cells.GetItemText(0, 0), L"a0");
  EXPECT_EQ(cells.GetItemText(1, 1), longText);
  EXPECT_EQ(cells.GetItemText(0, 3), L"beyond");
  for (const auto& [row, sub] : std::vector<std::pair<int, int>>{{1, 3}, {1, 2}, {4, 0}, {-1, 0}, {0, -1}}) {
    EXPECT_EQ(cells.GetItemText(row, sub), L"") << row << "," << sub;
  }
  CListCtrl notAList;
  notAList.Create(kGenericWindowClass, L"", WS_CHILD, {0, 0, 10, 10}, &parent, 10);
  EXPECT_EQ(notAList.GetCells().GetItemText(0, 0), L"");
}

// The parent of a list: what the list tells it of clicks on its headings.
class HeadingClicks : public CWnd {
 public:
  LRESULT OnNotify(WPARAM, LPARAM lParam) {
    const auto* click = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (click->hdr.code == LVN_COLUMNCLICK) {
      heard.push_back("list " + std::to_string(click->hdr.idFrom) + " column " + std::to_string(click->iSubItem));
    }
    return 0;
  }
  Rows heard;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(HeadingClicks, CWnd)
  MessageEntry<&HeadingClicks::OnNotify>(WM_NOTIFY),
END_MESSAGE_MAP()

TEST(ListHeadingTest, AClickOnAHeadingTellsTheParentWhichColumnInTheOrderShown) {
  HeadingClicks parent;
  parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 400, 300}, nullptr, 0);
  CListCtrl list;
  list.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 300, 200}, &parent, 9);
  list.InsertColumn(0, L"A", LVCFMT_LEFT, 50);
  list.InsertColumn(1, L"B", LVCFMT_LEFT, 60);
  list.InsertColumn(2, L"C", LVCFMT_LEFT, 70);
  const int order[] = {2, 0, 1};
  list.SetColumnOrderArray(3, order);
  for (const int x : {0, 69, 70, 119, 120, 179, 180, 299}) {
    list.GetHeaderCtrl()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    list.GetHeaderCtrl()->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  }
  EXPECT_EQ(parent.heard, (Rows{"list 9 column 2", "list 9 column 2", "list 9 column 0", "list 9 column 0",
                                "list 9 column 1", "list 9 column 1"}));
}

}  // namespace

// A list of 100 rows that shows 10 a page.
struct HundredRows {
  HundredRows() {
    parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 400, 300}, nullptr, 0);
    list.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 300, 200}, &parent, 9);
    list.InsertColumn(0, L"A", LVCFMT_LEFT, 100);
    for (int row = 0; row < 100; ++row) list.InsertItem(row, L"row");
  }

  CWnd parent;
  CListCtrl list;
};

WPARAM Request(WORD code, WORD position = 0) { return MAKEWPARAM(code, position); }
WPARAM Turned(int delta) { return MAKEWPARAM(0, static_cast<WORD>(delta)); }

struct Sent {
  UINT message;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// What each request, sent as the scroll bar, the wheel or a host sends it, leaves at the top.
TEST(ListScrollTest, EachRequestLeavesItsRowAtTheTop) {
  const struct {
    const char* what;
    std::vector<Sent> sent;
    LRESULT answer;  // to the last
    int top;
  } cases[] = {
      {"rows a page", {{LVM_GETCOUNTPERPAGE}}, 10, 0},
      {"a line down", {{WM_VSCROLL, Request(SB_LINEDOWN)}}, 0, 1},
      {"a line up at the top", {{WM_VSCROLL, Request(SB_LINEUP)}}, 0, 0},
      {"two pages down", {{WM_VSCROLL, Request(SB_PAGEDOWN)}, {WM_VSCROLL, Request(SB_PAGEDOWN)}}, 0, 20},
      {"a page up from 25", {{WM_VSCROLL, Request(SB_THUMBPOSITION, 25)}, {WM_VSCROLL, Request(SB_PAGEUP)}}, 0, 15},
      {"the thumb dragged", {{WM_VSCROLL, Request(SB_THUMBTRACK, 42)}, {LVM_GETTOPINDEX}}, 42, 42},
      {"the thumb past the last page", {{WM_VSCROLL, Request(SB_THUMBPOSITION, 95)}}, 0, 90},
      {"the bottom", {{WM_VSCROLL, Request(SB_BOTTOM)}}, 0, 90},
      {"the top again", {{WM_VSCROLL, Request(SB_BOTTOM)}, {WM_VSCROLL, Request(SB_TOP)}}, 0, 0},
      {"the end of scrolling", {{WM_VSCROLL, Request(SB_LINEDOWN)}, {WM_VSCROLL, Request(SB_ENDSCROLL)}}, 0, 1},
      {"16 pixels a row", {{LVM_SCROLL, 0, 16}}, true, 1},
      {"24 pixels: the nearest rows", {{LVM_SCROLL, 0, 24}}, true, 2},
      {"23 pixels", {{LVM_SCROLL, 0, 23}}, true, 1},
      {"7 pixels", {{LVM_SCROLL, 0, 7}}, true, 0},
      {"back up 24", {{LVM_SCROLL, 0, 160}, {LVM_SCROLL, 0, -24}}, true, 8},
      {"across only", {{LVM_SCROLL, 50, 0}}, true, 0},
      {"row 50 into view", {{LVM_ENSUREVISIBLE, 50}}, true, 41},
      {"row 45 already in view", {{LVM_ENSUREVISIBLE, 50}, {LVM_ENSUREVISIBLE, 45}}, true, 41},
      {"row 30 above", {{LVM_ENSUREVISIBLE, 50}, {LVM_ENSUREVISIBLE, 30}}, true, 30},
      {"the last row", {{LVM_ENSUREVISIBLE, 99}}, true, 90},
      {"no row 100", {{LVM_ENSUREVISIBLE, 100}}, false, 0},
      {"a notch of the wheel toward the person", {{WM_MOUSEWHEEL, Turned(-120)}}, 0, 3},
      {"half a notch: a row", {{WM_MOUSEWHEEL, Turned(-60)}}, 0, 1},
      {"two halves: three rows", {{WM_MOUSEWHEEL, Turned(-60)}, {WM_MOUSEWHEEL, Turned(-60)}}, 0, 3},
      {"a notch away at the top", {{WM_MOUSEWHEEL, Turned(120)}}, 0, 0},
      {"rows deleted on the last page", {{WM_VSCROLL, Request(SB_BOTTOM)}, {LVM_DELETEITEM, 0}, {LVM_DELETEITEM, 0}},
       true, 88},
      {"all deleted", {{WM_VSCROLL, Request(SB_BOTTOM)}, {LVM_DELETEALLITEMS}}, true, 0},
  };
  for (const auto& each : cases) {
    HundredRows fresh;
    LRESULT answer = -1;
    for (const Sent& sent : each.sent) answer = fresh.list.SendMessage(sent.message, sent.wParam, sent.lParam);
    EXPECT_EQ(answer, each.answer) << each.what;
    EXPECT_EQ(fresh.list.SendMessage(LVM_GETTOPINDEX), each.top) << each.what;
  }
}
