#include "brenmoor/win/CGXUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostResources.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"

namespace {

using Lines = std::vector<std::string>;

// A grid on its own, with no window: scroll bar requests are noted.
class Grid : public CGXGridCore {
 public:
  int scrollBarRequests = 0;

 protected:
  void ShowScrollBar(UINT, BOOL) override { ++scrollBarRequests; }
  CRect GetGridClientRect() const override { return {0, 0, 400, 300}; }
};

struct Column {
  std::string heading;
  int width;
  bool operator==(const Column&) const = default;
};

std::vector<Column> Columns(const CGXGridCore& grid) {
  std::vector<Column> columns;
  for (ROWCOL col = 1; col <= grid.GetColCount(); ++col) {
    columns.push_back({grid.GetValueRowCol(0, col).ToUtf8(), grid.GetColWidth(col)});
  }
  return columns;
}

// A string list of the texts, for as long as the statement lasts.
struct List {
  explicit List(const std::vector<const wchar_t*>& texts) {
    for (const wchar_t* text : texts) strings.AddTail(text);
  }
  operator const CStringList&() const { return strings; }  // NOLINT: reads as the list it holds
  CStringList strings;
};

class CGXUtilsTest : public testing::Test {
 protected:
  CGXUtilsTest() { RegisterPrintResources(app); }
  CWinApp app{L"Host"};
  ScriptedUser user;
  Grid grid;
};

TEST_F(CGXUtilsTest, CreateColumnsReadsHeadingsAndWidthsOrShowsTheHostsMessage) {
  const std::string message = "message box error: The column specification cannot be read.";
  struct Case {
    const wchar_t* spec;
    std::vector<Column> columns;
    bool refused;
  } cases[] = {
      {L"Link;120;Site;80;", {{"Link", 120}, {"Site", 80}}, false},
      {L"", {}, false},
      {L";50;", {{"", 50}}, false},
      {L"Link;120;Site;80", {{"Link", 120}, {"Site", 80}}, true},
      {L"Link;wide;", {{"Link", 64}}, true},
      {L"Link;120", {{"Link", 120}}, true},
      {L"Link", {{"Link", 64}}, true},
      {L" Link ; 120 ;", {{" Link ", 120}}, false},
  };
  for (const Case& c : cases) {
    Grid fresh;
    if (c.refused) user.AnswerMessageBox();
    const std::size_t seen = user.Seen().size();
    CGXUtils::CreateColumns(fresh, c.spec);
    EXPECT_EQ(Columns(fresh), c.columns) << CString(c.spec).ToUtf8();
    EXPECT_EQ(user.Seen().size(), seen + (c.refused ? 1 : 0)) << CString(c.spec).ToUtf8();
    if (c.refused) {
      EXPECT_EQ(user.Seen().back(), message);
    }
  }
}

TEST_F(CGXUtilsTest, AnEmptySpecificationLeavesTheColumnsAsTheyWere) {
  grid.SetColCount(3);
  grid.SetColWidth(2, 2, 40);
  CGXUtils::CreateColumns(grid, L"");
  EXPECT_EQ(grid.GetColCount(), 3u);
  EXPECT_EQ(grid.GetColWidth(2), 40);
  EXPECT_EQ(user.Seen(), Lines{});
}

TEST_F(CGXUtilsTest, AMillionEntriesMakeAMillionColumns) {
  std::wstring spec;
  for (int i = 0; i < 1000000; ++i) spec += L"c;7;";
  CGXUtils::CreateColumns(grid, CString(std::move(spec)));
  EXPECT_EQ(grid.GetColCount(), 1000000u);
  EXPECT_EQ(grid.GetColWidth(1000000), 7);
  EXPECT_EQ(grid.GetValueRowCol(0, 999999).ToUtf8(), "c");
  EXPECT_EQ(grid.GetLastUpdateFlags(), GX_UPDATENOW);
}

TEST_F(CGXUtilsTest, ComboChoicesNeedTwoChoicesAndMergeIntoTheCellsStyles) {
  grid.SetRowCount(3);
  grid.SetColCount(2);
  const CGXRange cells(1, 1, 2, 2);
  grid.SetStyleRange(CGXRange(1, 1), CGXStyle().SetUserAttribute(GX_IDS_UA_TOOLTIPTEXT, L"kept"));

  CGXUtils::SetComboChoices(grid, cells, List({L"only"}));
  EXPECT_EQ(grid.GetStyleRowCol(2, 2).GetControl(), GX_IDS_CTRL_EDIT);
  EXPECT_FALSE(grid.GetStyleRowCol(2, 2).GetIncludeChoiceList());

  CGXUtils::SetComboChoices(grid, cells, List({L"A", L"B"}));
  for (ROWCOL row = 1; row <= 2; ++row) {
    for (ROWCOL col = 1; col <= 2; ++col) {
      EXPECT_EQ(grid.GetStyleRowCol(row, col).GetControl(), GX_IDS_CTRL_CHOICELIST);
      EXPECT_EQ(grid.GetStyleRowCol(row, col).GetChoiceList().ToUtf8(), "A\nB\n");
    }
  }
  EXPECT_EQ(grid.GetStyleRowCol(1, 1).GetUserAttribute(GX_IDS_UA_TOOLTIPTEXT).ToUtf8(), "kept");
  EXPECT_FALSE(grid.GetStyleRowCol(3, 1).GetIncludeControl());  // outside the range
  CGXUtils::SetComboChoices(grid, cells, List({}));
  EXPECT_EQ(grid.GetStyleRowCol(1, 1).GetControl(), GX_IDS_CTRL_EDIT);
  EXPECT_EQ(grid.GetLastUpdateFlags(), GX_UPDATENOW);
}

TEST_F(CGXUtilsTest, ToolTipsJoinTheLinesAndCutLongOnes) {
  grid.SetRowCount(1);
  grid.SetColCount(1);
  const std::wstring ninety(90, L'n');
  const std::wstring longer(120, L'l');
  struct Case {
    std::vector<const wchar_t*> lines;
    std::string tip;  // empty: the cell keeps no tooltip
  } cases[] = {
      {{L"x", L"y"}, "x, y"},
      {{L"", L"y"}, ", y"},
      {{ninety.c_str()}, std::string(90, 'n')},
      {{ninety.c_str(), L""}, std::string(90, 'n') + "..."},
      {{longer.c_str()}, std::string(90, 'l') + "..."},
      {{L" \t\r\n"}, ""},
      {{L" ", L"\t"}, " , \t"},  // the joined text is what must be blank
      {{}, ""},
  };
  for (const Case& c : cases) {
    Grid fresh;
    fresh.SetRowCount(1);
    fresh.SetColCount(1);
    CGXUtils::SetToolTip(fresh, CGXRange(1, 1), List(c.lines));
    EXPECT_EQ(fresh.GetStyleRowCol(1, 1).HasUserAttribute(GX_IDS_UA_TOOLTIPTEXT), !c.tip.empty()) << c.tip;
    EXPECT_EQ(fresh.GetStyleRowCol(1, 1).GetUserAttribute(GX_IDS_UA_TOOLTIPTEXT).ToUtf8(), c.tip);
  }
}

}  // namespace
