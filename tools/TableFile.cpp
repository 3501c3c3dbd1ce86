#include "TableFile.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

constexpr int kCharacterWidth = 7;
constexpr int kMaximumWidth = 300;

std::vector<CString> Cells(std::string_view line) {
  std::vector<CString> cells;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    cells.push_back(CString::FromUtf8(line.substr(start, tab == std::string_view::npos ? tab : tab - start)));
    if (tab == std::string_view::npos) return cells;
    start = tab + 1;
  }
}

}  // namespace

Table ParseTable(const std::string& text) {
  std::vector<std::string_view> lines;
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  if (lines.empty()) throw TableError("the table is empty: its first line must hold the headings");
  Table table{Cells(lines.front()), {}};
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::vector<CString> row = Cells(lines[i]);
    if (row.size() != table.headings.size()) {
      throw TableError("line " + std::to_string(i + 1) + " has " + std::to_string(row.size()) + " cells, but there are " +
                       std::to_string(table.headings.size()) + " headings");
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

Table ReadTable(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw TableError("cannot read the table " + file);
  std::ostringstream text;
  text << in.rdbuf();
  try {
    return ParseTable(text.str());
  } catch (const TableError& error) {
    throw TableError(file + ": " + error.what());
  }
}

void FillList(CListCtrl& list, const Table& table) {
  for (std::size_t column = 0; column < table.headings.size(); ++column) {
    int widest = table.headings[column].GetLength();
    for (const auto& row : table.rows) widest = std::max(widest, row[column].GetLength());
    const int width = std::min(kMaximumWidth, (widest + 2) * kCharacterWidth);
    list.InsertColumn(static_cast<int>(column), table.headings[column], LVCFMT_LEFT, width);
  }
  for (std::size_t row = 0; row < table.rows.size(); ++row) {
    const int item = list.InsertItem(static_cast<int>(row), table.rows[row][0]);
    for (std::size_t column = 1; column < table.rows[row].size(); ++column) {
      list.SetItemText(item, static_cast<int>(column), table.rows[row][column]);
    }
  }
}

bool ParseColumnOrder(const std::string& text, std::vector<int>& order) {
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string number = text.substr(start, comma - start);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos || number.size() > 6) return false;
    order.push_back(std::stoi(number));
    start = comma + 1;
  }
  return true;
}
