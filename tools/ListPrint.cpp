// Loads a table into a host's list control and prints it with libwin's list
// printing to a PDF file, or shows it in print preview, writing each page
// as a picture; the print dialog is answered from the options. With --show
// the host's frame is on screen and a person prints from its File menu.

#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "brenmoor/win/CListPrintDoc.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/gdi/FontCaches.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "PrintHost.h"
#include "brenmoor/app/ScriptedUser.h"
#include "TableFile.h"

namespace {

constexpr const char* kUsage =
    "usage: list_print [options] TABLE\n"
    "  TABLE                 tab-separated text, UTF-8, the first line the headings\n"
    "  --pdf FILE            print to this PDF file, answering the print dialog with OK\n"
    "  --direct              print without the print dialog (needs --pdf)\n"
    "  --pages FROM-TO       print only these pages\n"
    "  --preview FOLDER      show the print preview instead; its pages go to FOLDER/page-N.png\n"
    "  --show                show the host's frame with the list on screen instead (needs --pdf): its\n"
    "                        File menu prints to the PDF file or shows the preview; closing it ends\n"
    "                        the program\n"
    "  --picture FILE        with --show, the frame's picture as the painter draws it first goes to FILE\n"
    "  --system NAME         the system name in each page's heading (none: no heading)\n"
    "  --from DATE --to DATE the date range in the heading\n"
    "  --order I,J,...       the columns in this display order (indexes from 0)\n";

struct Options {
  std::string table;
  std::string pdf;
  std::string preview;
  std::string picture;
  bool direct = false;
  bool show = false;
  int fromPage = 0;
  int toPage = 0;
  CString system;
  std::optional<CString> from, to;
  std::vector<int> order;
};

bool Pages(const std::string& value, Options& options) {
  return std::sscanf(value.c_str(), "%d-%d", &options.fromPage, &options.toPage) == 2 && options.fromPage >= 1 &&
         options.toPage >= options.fromPage && options.toPage <= 0xFFFF;
}

std::optional<Options> Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--direct" || word == "--show") {
      (word == "--show" ? options.show : options.direct) = true;
      continue;
    }
    if (word.rfind("--", 0) != 0) {
      if (!options.table.empty()) return std::nullopt;
      options.table = word;
      continue;
    }
    if (i + 1 >= argc) return std::nullopt;
    const std::string value = argv[++i];
    if (word == "--pdf") options.pdf = value;
    else if (word == "--preview") options.preview = value;
    else if (word == "--picture") options.picture = value;
    else if (word == "--system") options.system = CString::FromUtf8(value);
    else if (word == "--from") options.from = CString::FromUtf8(value);
    else if (word == "--to") options.to = CString::FromUtf8(value);
    else if (word == "--pages" && Pages(value, options)) continue;
    else if (word == "--order" && ParseColumnOrder(value, options.order)) continue;
    else return std::nullopt;
  }
  const bool oneOutput = options.pdf.empty() != options.preview.empty();
  const bool bothDates = options.from.has_value() == options.to.has_value();
  const bool pdfNeeded = options.direct || options.show;
  if (options.table.empty() || !oneOutput || !bothDates || (pdfNeeded && options.pdf.empty()) ||
      (options.show && options.direct) || (!options.show && !options.picture.empty())) {
    return std::nullopt;
  }
  return options;
}

COleDateTime Date(const std::optional<CString>& text) {
  COleDateTime date;
  if (text) date.ParseDateTime(*text);
  return date;
}

CListPrintDoc* Document(PrintHost& host, const Options& options, UINT command) {
  return new CListPrintDoc(&host.List(), options.system, command, options.from.has_value(), Date(options.from),
                           Date(options.to));
}

// The person prints from the frame's menu until they close it.
int Show(CWinApp& app, PrintHost& host, const Options& options) {
  std::string why;
  if (!app.UseScreen(why)) {
    std::fprintf(stderr, "list_print: --show: no screen: %s\n", why.c_str());
    return 1;
  }
  if (!options.picture.empty() && !RenderWindowToPng(host.MainFrame().m_hWnd, options.picture)) {
    std::fprintf(stderr, "list_print: cannot write %s\n", options.picture.c_str());
    return 1;
  }
  AfxGetPrinter().file = CString::FromUtf8(options.pdf);
  host.PrintFromMenu([&host, &options](UINT command) { return Document(host, options, command); });
  return app.Run();
}

UINT Script(CommandLineUser& user, const Options& options) {
  if (!options.preview.empty()) {
    user.ClosePreview(options.preview);
    return ID_FILE_PRINT_PREVIEW;
  }
  AfxGetPrinter().file = CString::FromUtf8(options.pdf);
  if (options.direct) return ID_FILE_PRINT_DIRECT;
  user.AnswerPrintDialog(CString::FromUtf8(options.pdf), options.fromPage, options.toPage);
  return ID_FILE_PRINT;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = Parse(argc, argv);
  if (!options) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  CWinApp app(L"List print");
  const struct FontCachesAtExit {
    ~FontCachesAtExit() { ReleaseFontCaches(); }
  } fontCaches;
  try {
    const Table table = ReadTable(options->table);
    PrintHost host(app);
    FillList(host.List(), table);
    if (!options->order.empty() &&
        !host.List().SetColumnOrderArray(static_cast<int>(options->order.size()), options->order.data())) {
      std::fprintf(stderr, "list_print: --order must name each of the %zu columns once\n", table.headings.size());
      return 2;
    }
    if (options->show) return Show(app, host, *options);
    CommandLineUser user;
    const UINT command = Script(user, *options);
    host.Print(Document(host, *options, command));
    for (const std::string& seen : user.Seen()) std::printf("%s\n", seen.c_str());
    if (!user.Unused().empty()) {
      std::fprintf(stderr, "list_print: nothing was printed\n");
      return 1;
    }
    return 0;
  } catch (const TableError& error) {
    std::fprintf(stderr, "list_print: %s\n", error.what());
  } catch (const UserScriptError& error) {
    std::fprintf(stderr, "list_print: %s\n", error.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "list_print: there is not enough memory for the table\n");
  }
  return 1;
}
