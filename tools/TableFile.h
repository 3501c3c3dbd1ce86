#pragma once
// A table of tab-separated UTF-8 text whose first line holds the headings,
// read into a list control in report view, one column per heading.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "brenmoor/ui/CListCtrl.h"

struct Table {
  std::vector<CString> headings;
  std::vector<std::vector<CString>> rows;
};

// Why a table file cannot be used, with the file's line.
class TableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Lines end in LF or CR LF; an empty last line is no row. Accepted: UTF-8
// text without zero bytes, every row with as many cells as there are
// headings, files of at most kTableFileLimit bytes (a list control takes
// many times a table's size). Anything else is refused with the line at
// fault. A table accepted whose headings are exportable, exported with tabs
// and no text qualifier, loads back as it was.
inline constexpr int kHeadingLimit = 255;
inline constexpr std::uintmax_t kTableFileLimit = 32u << 20;
Table ReadTable(const std::string& file);
Table ParseTable(const std::string& text);
// Refuses headings longer than kHeadingLimit UTF-16 units, which the export cuts.
void RequireExportableHeadings(const Table& table);
// "2,0,1": column indexes from 0 in display order; false for anything else.
bool ParseColumnOrder(const std::string& text, std::vector<int>& order);
// Columns as wide as their longest text (within limits), then the rows.
void FillList(CListCtrl& list, const Table& table);
