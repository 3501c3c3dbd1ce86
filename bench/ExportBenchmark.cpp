// The list export beside Python's csv writer and the physical floor: 500 000
// rows of 8 columns from a list control to a file through
// WinUtils::ExportListCtrlData (the dialog answered by a script), the same
// rows written by csv.writer in python3, and the export's own bytes written
// by one plain fwrite, each timed over the writing alone. Prints rows per
// second, the ratios (the smallest to Python of all runs too) and this
// process's peak memory. Times are CPU times of the writing process, so that
// other work on the machine does not tilt the comparison.

#include <sys/resource.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "brenmoor/win/CExportFormatDlg.h"
#include "brenmoor/ui/CListCtrl.h"
#include "HostResources.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/win/WinUtils.h"

namespace {

constexpr int kRows = 500000;
constexpr int kColumns = 8;
constexpr int kRuns = 3;

// The cell texts both writers write, of the lengths a list of links holds.
std::string Cell(int row, int column) {
  switch (column) {
    case 0: return "L" + std::to_string(row);
    case 1: return "Kestle exchange " + std::to_string(row % 97);
    case 2: return "peer-" + std::to_string(row * 7 % 1009) + ".net.example";
    case 3: return row % 3 == 0 ? "E1 trunk" : "IP uplink";
    case 4: return std::to_string(2048 + row % 100000);
    case 5: return std::to_string(row % 100) + "%";
    case 6: return row % 11 == 0 ? "DEGRADED" : "UP";
    default: return "note " + std::to_string(row % 13);
  }
}

void Fill(CListCtrl& list) {
  for (int column = 0; column < kColumns; ++column) list.InsertColumn(column, L"Column", LVCFMT_LEFT, 80);
  for (int row = 0; row < kRows; ++row) {
    list.InsertItem(row, CString::FromUtf8(Cell(row, 0)));
    for (int column = 1; column < kColumns; ++column) list.SetItemText(row, column, CString::FromUtf8(Cell(row, column)));
  }
}

double ExportSeconds(CListCtrl& list, const std::string& file) {
  std::filesystem::remove(file);
  ScriptedUser user;
  user.InDialog(CExportFormatDlg::IDD).Type(1245, L",").Pick(1246, L"None").Type(1247, CString::FromUtf8(file)).Click(IDOK);
  user.AnswerMessageBox();
  const std::clock_t start = std::clock();
  if (!WinUtils::ExportListCtrlData(list)) std::abort();
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// The same rows built in Python first; only writerows is timed.
double PythonSeconds(const std::string& file) {
  const std::string script =
      "import csv, sys, time\n"
      "def cell(r, c):\n"
      "    return [f'L{r}', f'Kestle exchange {r % 97}', f'peer-{r * 7 % 1009}.net.example',\n"
      "            'E1 trunk' if r % 3 == 0 else 'IP uplink', str(2048 + r % 100000), f'{r % 100}%',\n"
      "            'DEGRADED' if r % 11 == 0 else 'UP', f'note {r % 13}'][c]\n"
      "rows = [[cell(r, c) for c in range(8)] for r in range(" + std::to_string(kRows) + ")]\n"
      "with open(sys.argv[1], 'w', newline='', encoding='utf-8') as f:\n"
      "    start = time.process_time()\n"
      "    csv.writer(f, lineterminator='\\r\\n').writerows(rows)\n"
      "    f.flush()\n"
      "    print(time.process_time() - start)\n";
  const std::string program = file + ".py";
  std::FILE* out = std::fopen(program.c_str(), "w");
  if (out == nullptr) std::abort();
  std::fputs(script.c_str(), out);
  std::fclose(out);
  std::FILE* pipe = popen(("python3 '" + program + "' '" + file + "'").c_str(), "r");
  double seconds = 0;
  if (pipe == nullptr || std::fscanf(pipe, "%lf", &seconds) != 1) std::abort();
  pclose(pipe);
  std::filesystem::remove(program);
  return seconds;
}

std::string ReadAll(const std::string& file) {
  std::FILE* in = std::fopen(file.c_str(), "rb");
  if (in == nullptr) std::abort();
  std::string bytes(std::filesystem::file_size(file), '\0');
  if (std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size()) std::abort();
  std::fclose(in);
  return bytes;
}

// The floor: the same bytes already in memory, handed to the C library at once.
double FwriteSeconds(const std::string& bytes, const std::string& file) {
  std::filesystem::remove(file);
  const std::clock_t start = std::clock();
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (out == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) std::abort();
  std::fclose(out);
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  CWinApp app(L"Export benchmark");
  RegisterExportResources(app);
  CWnd main;
  main.Create(kGenericWindowClass, L"Host", WS_OVERLAPPEDWINDOW, {0, 0, 800, 600}, nullptr, 0);
  CListCtrl list;
  list.Create(kListViewClass, L"", WS_CHILD | LVS_REPORT, {0, 0, 780, 560}, &main, 1);
  Fill(list);

  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::string ours = (folder / "export-benchmark.txt").string();
  const std::string theirs = (folder / "export-benchmark-python.csv").string();
  const std::string floor = (folder / "export-benchmark-fwrite.txt").string();
  std::vector<double> exportTimes, pythonTimes, fwriteTimes;
  double smallestRatio = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    exportTimes.push_back(ExportSeconds(list, ours));
    pythonTimes.push_back(PythonSeconds(theirs));
    fwriteTimes.push_back(FwriteSeconds(ReadAll(ours), floor));
    smallestRatio = std::min(smallestRatio, pythonTimes.back() / exportTimes.back());
  }
  const bool same = std::filesystem::file_size(ours) == std::filesystem::file_size(theirs) &&
                    std::filesystem::file_size(ours) == std::filesystem::file_size(floor);
  std::filesystem::remove(ours);
  std::filesystem::remove(theirs);
  std::filesystem::remove(floor);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double exportRate = kRows / Median(exportTimes);
  const double pythonRate = kRows / Median(pythonTimes);
  const double fwriteRate = kRows / Median(fwriteTimes);
  std::printf("rows: %d of %d columns, medians of %d runs\n", kRows, kColumns, kRuns);
  std::printf("ExportListCtrlData: %.0f rows/s (%.3f s)\n", exportRate, Median(exportTimes));
  std::printf("python csv.writer:  %.0f rows/s (%.3f s)\n", pythonRate, Median(pythonTimes));
  std::printf("fwrite of the bytes: %.0f rows/s (%.3f s)\n", fwriteRate, Median(fwriteTimes));
  std::printf("ratio: %.2f (smallest of the runs %.2f)\n", exportRate / pythonRate, smallestRatio);
  std::printf("export time over fwrite time: %.2f\n", fwriteRate / exportRate);
  std::printf("files of the same size: %s\n", same ? "yes" : "no");
  std::printf("peak memory of this process (the list included): %ld MiB\n", usage.ru_maxrss / 1024);
  return same ? 0 : 1;
}
