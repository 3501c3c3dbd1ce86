#include "TableFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "brenmoor/app/CWinApp.h"
#include "HostResources.h"
#include "TableExport.h"
#include "TempFolder.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows Cells(const Table& table) {
  Rows rows;
  for (const auto& row : table.rows) {
    rows.emplace_back();
    for (const CString& cell : row) rows.back().push_back(cell.ToUtf8());
  }
  return rows;
}

TEST(TableFileTest, ReadsHeadingsAndRowsWithEitherLineEnd) {
  const Table table = ParseTable("Link\tState\r\nL01\tUP\nL02\t\r\n\tDOWN\n");
  ASSERT_EQ(table.headings.size(), 2u);
  EXPECT_EQ(table.headings[1], L"State");
  EXPECT_EQ(Cells(table), (Rows{{"L01", "UP"}, {"L02", ""}, {"", "DOWN"}}));
  EXPECT_EQ(Cells(ParseTable("Only\n")), Rows{});
  EXPECT_EQ(ParseTable("Zürich\tSão Paulo").headings[0], L"Zürich");
}

TEST(TableFileTest, RefusesWhatIsNoTable) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "the table is empty: its first line must hold the headings"},
      {"A\tB\nx\n", "line 2 has 1 cells, but there are 2 headings"},
      {"A\tB\nx\ty\nx\ty\tz\n", "line 3 has 3 cells, but there are 2 headings"},
      {"A\tB\r\n\"x\ty\r\nq\xE9\tz\r\n", "line 3 is not UTF-8 text"},
      {"A\xED\xA0\x80\n", "line 1 is not UTF-8 text"},
      {std::string("A\nx\0y\n", 6), "line 2 holds a zero byte"},
  };
  for (const auto& [text, message] : cases) {
    try {
      ParseTable(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const TableError& error) {
      EXPECT_EQ(error.what(), message);
    }
  }
  EXPECT_THROW(ReadTable("/nonexistent/table.tsv"), TableError);
  EXPECT_NO_THROW(RequireExportableHeadings(ParseTable("A\t" + std::string(255, 'h') + "\n")));
  try {
    RequireExportableHeadings(ParseTable("A\t" + std::string(256, 'h') + "\n"));
    ADD_FAILURE() << "a heading the export would cut was accepted";
  } catch (const TableError& error) {
    EXPECT_STREQ(error.what(), "line 1 has heading 2 longer than 255 characters");
  }
}

// A table larger than a list can take is refused before it is read, naming the limit.
TEST(TableFileTest, RefusesATableLargerThanTheLimitWithoutReadingIt) {
  testsupport::TempFolder folder;
  const std::filesystem::path file = folder.Path() / "huge.tsv";
  testsupport::WriteFile(file, "A\n");
  std::filesystem::resize_file(file, kTableFileLimit + 1);  // sparse: no disk taken
  try {
    ReadTable(file.string());
    ADD_FAILURE() << "a huge table was read";
  } catch (const TableError& error) {
    EXPECT_EQ(error.what(), file.string() + ": the table has 33554433 bytes, more than the 32 MB that can be loaded");
  }
}

TEST(TableFileTest, TakesManyColumnsAndLargeCells) {
  std::string wide;
  for (int column = 0; column < 10000; ++column) wide += (column ? "\t" : "") + std::to_string(column);
  const Table table = ParseTable(wide + "\n" + wide + "\n");
  EXPECT_EQ(table.headings.size(), 10000u);
  EXPECT_EQ(table.rows[0][9999], L"9999");
  const std::string large(1 << 20, 'x');
  EXPECT_EQ(ParseTable("A\n" + large).rows[0][0].GetLength(), 1 << 20);
}

// What the loader accepts, exported in list_export's own form, loads back as it was.
TEST(TableFileTest, AnAcceptedTableExportedLoadsBackAsItWas) {
  CWinApp app(L"Host");
  RegisterExportResources(app);
  testsupport::TempFolder folder;
  const std::string tables[] = {
      "A\t\"B\r\nq\"\t\r\n",
      "A\tB\nx\ry\tz\r\r\n\t\n",
      "Only\n\n\n",
      "\n",
      "A\tB\nno\tfinal line break",
      "\xF0\x9F\x98\x80" + std::string(251, 'h') + "\xF0\x9F\x98\x80\tB\n" + std::string(600, 'c') + "\t\xE2\x82\xAC\n",
  };
  for (const std::string& text : tables) {
    const Table table = ParseTable(text);
    const std::string exported = ExportAsTable(table, folder.Path() / "table.txt");
    const Table loaded = ParseTable(exported);
    EXPECT_EQ(loaded.headings, table.headings) << text;
    EXPECT_EQ(Cells(loaded), Cells(table)) << text;
  }
  EXPECT_EQ(ExportAsTable(ParseTable("A\t\"B\r\nq\"\t\r\n"), folder.Path() / "table.txt"), "A\t\"B\r\nq\"\t\r\n");
}

TEST(TableFileTest, FillsAListColumnByColumn) {
  CWnd parent;
  ASSERT_TRUE(parent.Create(kGenericWindowClass, L"p", 0, {0, 0, 400, 300}, nullptr, 0));
  CListCtrl list;
  ASSERT_TRUE(list.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 300, 200}, &parent, 1));
  FillList(list, ParseTable("Link\tNote\nL01\t" + std::string(100, 'n') + "\nL02\tshort\n"));
  EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
  EXPECT_EQ(list.GetColumnWidth(0), 6 * 7);
  EXPECT_EQ(list.GetColumnWidth(1), 300);
  EXPECT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.GetItemText(1, 1), L"short");
}

}  // namespace
