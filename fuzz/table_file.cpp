// The tools' table loader: any bytes load as a table or end in an error
// naming the line; a table that loads, exported in list_export's own
// tab-separated form, loads back as it was.

#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "brenmoor/app/CWinApp.h"
#include "HostResources.h"
#include "brenmoor/gdi/FontCaches.h"
#include "FuzzCheck.h"
#include "TableExport.h"
#include "TableFile.h"

namespace {

struct Host {
  CWinApp app{L"List export"};
  std::filesystem::path file;
  Host() {
    RegisterExportResources(app);
    std::string folder = std::filesystem::exists("/dev/shm") ? "/dev/shm/fuzz-table-XXXXXX" : "/tmp/fuzz-table-XXXXXX";
    fuzzing::Require(::mkdtemp(folder.data()) != nullptr, "a folder for the export");
    file = std::filesystem::path(folder) / "table.txt";
  }
};

bool Same(const Table& a, const Table& b) { return a.headings == b.headings && a.rows == b.rows; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // What fontconfig and cairo keep for the process is no leak of ours.
  std::atexit(ReleaseFontCaches);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Host* const host = new Host;
  const std::string text(fuzzing::AsText(data, size));
  Table table;
  try {
    table = ParseTable(text);
    RequireExportableHeadings(table);
  } catch (const TableError& error) {
    const std::string message = error.what();
    fuzzing::Require(message.starts_with("line ") || message.starts_with("the table is empty"),
                     "a refused table names the line at fault");
    return 0;
  }
  const std::string exported = ExportAsTable(table, host->file);
  Table loaded;
  try {
    loaded = ParseTable(exported);
  } catch (const TableError&) {
    fuzzing::Require(false, "an exported table loads");
  }
  fuzzing::Require(Same(loaded, table), "an exported table loads back as it was");
  return 0;
}
