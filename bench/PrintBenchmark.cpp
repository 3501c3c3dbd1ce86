// List printing to PDF: lists of 1 000, 10 000 and 100 000 rows of 8 columns
// filled into a host's list control, then printed directly through the print
// frame and view (copy into the grid, column fitting, paging, drawing, the
// PDF written). Prints pages, CPU seconds, pages and rows per second, and the
// cost per row relative to the smallest list: a flat column shows a cost in
// proportion to the rows. CPU time, so that other work on the machine does
// not tilt it.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "brenmoor/win/CListPrintDoc.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/gdi/FontCaches.h"
#include "PrintHost.h"
#include "brenmoor/app/ScriptedUser.h"

namespace {

constexpr int kColumns = 8;
constexpr int kSizes[] = {1000, 10000, 100000};

// Cells of the lengths a list of links holds.
std::wstring Cell(int row, int column) {
  switch (column) {
    case 0: return L"L" + std::to_wstring(row);
    case 1: return L"Kestle exchange " + std::to_wstring(row % 97);
    case 2: return L"peer-" + std::to_wstring(row * 7 % 1009) + L".net.example";
    case 3: return row % 3 == 0 ? L"E1 trunk" : L"IP uplink";
    case 4: return std::to_wstring(2048 + row % 100000);
    case 5: return std::to_wstring(row % 100) + L"%";
    case 6: return row % 11 == 0 ? L"DEGRADED" : L"UP";
    default: return L"note " + std::to_wstring(row % 13);
  }
}

void Fill(CListCtrl& list, int rows) {
  const wchar_t* headings[] = {L"Link", L"Exchange", L"Peer", L"Kind", L"Port", L"Load", L"State", L"Note"};
  for (int column = 0; column < kColumns; ++column) list.InsertColumn(column, headings[column], LVCFMT_LEFT, 80);
  for (int row = 0; row < rows; ++row) {
    list.InsertItem(row, CString(Cell(row, 0)));
    for (int column = 1; column < kColumns; ++column) list.SetItemText(row, column, CString(Cell(row, column)));
  }
}

std::size_t PageCount(const std::string& file) {
  std::FILE* in = std::fopen(file.c_str(), "rb");
  if (in == nullptr) std::abort();
  std::string bytes;
  char buffer[65536];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, in)) > 0;) bytes.append(buffer, read);
  std::fclose(in);
  std::size_t pages = 0;
  for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1)) {
    if (bytes.compare(at, 12, "/Type /Pages") != 0) ++pages;
  }
  return pages;
}

}  // namespace

int main() {
  const std::string folder = (std::filesystem::temp_directory_path() / "print_benchmark").string();
  std::filesystem::create_directories(folder);
  std::printf("%8s %7s %9s %10s %11s %14s\n", "rows", "pages", "seconds", "pages/s", "rows/s", "cost/row vs 1k");
  double firstPerRow = 0;
  for (int rows : kSizes) {
    CWinApp app(L"Print benchmark");
    ScriptedUser user;
    PrintHost host(app);
    Fill(host.List(), rows);
    const std::string file = folder + "/list-" + std::to_string(rows) + ".pdf";
    AfxGetPrinter().file = CString::FromUtf8(file);
    const std::clock_t start = std::clock();
    host.Print(new CListPrintDoc(&host.List(), L"KESTLE", ID_FILE_PRINT_DIRECT, 0, {}, {}));
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    const std::size_t pages = PageCount(file);
    const double perRow = seconds / rows;
    if (firstPerRow == 0) firstPerRow = perRow;
    std::printf("%8d %7zu %9.3f %10.1f %11.0f %14.2f\n", rows, pages, seconds, pages / seconds, rows / seconds,
                perRow / firstPerRow);
    std::fflush(stdout);
    std::filesystem::remove(file);
  }
  ReleaseFontCaches();
  return 0;
}
