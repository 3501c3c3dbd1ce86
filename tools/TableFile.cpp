#include "TableFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

constexpr int kCharacterWidth = 7;
constexpr int kMaximumWidth = 300;

std::string LineError(std::size_t index, const std::string& what) {
  return "line " + std::to_string(index + 1) + " " + what;
}

// Zero bytes would cut a cell short in the list; text that is not UTF-8 would not be written back as read.
void CheckText(std::string_view line, std::size_t index) {
  if (line.find('\0') != std::string_view::npos) throw TableError(LineError(index, "holds a zero byte"));
  if (CString::FromUtf8(line).ToUtf8() != line) throw TableError(LineError(index, "is not UTF-8 text"));
}

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

void RequireExportableHeadings(const Table& table) {
  const std::vector<CString>& headings = table.headings;
  for (std::size_t column = 0; column < headings.size(); ++column) {
    if (headings[column].GetLength() > kHeadingLimit) {
      throw TableError(LineError(0, "has heading " + std::to_string(column + 1) + " longer than " +
                                        std::to_string(kHeadingLimit) + " characters"));
    }
  }
}

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
  CheckText(lines.front(), 0);
  Table table{Cells(lines.front()), {}};
  for (std::size_t i = 1; i < lines.size(); ++i) {
    CheckText(lines[i], i);
    std::vector<CString> row = Cells(lines[i]);
    if (row.size() != table.headings.size()) {
      throw TableError(LineError(i, "has " + std::to_string(row.size()) + " cells, but there are " +
                                        std::to_string(table.headings.size()) + " headings"));
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

Table ReadTable(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::error_code sizeError;
  const std::uintmax_t size = std::filesystem::file_size(file, sizeError);
  if (!in || sizeError) throw TableError("cannot read the table " + file);
  if (size > kTableFileLimit) {
    throw TableError(file + ": the table has " + std::to_string(size) + " bytes, more than the " +
                     std::to_string(kTableFileLimit >> 20) + " MB that can be loaded");
  }
  std::string text(static_cast<std::size_t>(size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(size));
  text.resize(static_cast<std::size_t>(in.gcount()));
  try {
    return ParseTable(text);
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
