// Loads a table into a list control in report view and exports it with the
// export format dialog, answered from the options as a user would, or with
// --show filled from them and finished by a person on screen.

#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "brenmoor/win/CExportFormatDlg.h"
#include "brenmoor/ui/CListCtrl.h"
#include "HostResources.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/gdi/FontCaches.h"
#include "brenmoor/app/ScreenUser.h"
#include "brenmoor/app/ScriptedUser.h"
#include "TableFile.h"
#include "brenmoor/win/WinUtils.h"

namespace {

constexpr const char* kUsage =
    "usage: list_export [options] TABLE\n"
    "  TABLE                 tab-separated text, UTF-8, the first line the headings\n"
    "  --order I,J,...       the columns in this display order (indexes from 0)\n"
    "  --delimiter TEXT      a choice of the dialog (Tab, Space, \",\", \";\", \"|\") or text to type\n"
    "  --qualifier TEXT      a choice of the dialog (\"\\\"\", \"'\", None) or text to type\n"
    "  --file PATH           the file, typed into the dialog\n"
    "  --browse PATH         the file, picked with the Browse button\n"
    "  --titles on|off       column titles in the first line\n"
    "  --banner on|off       the dated banner before the data\n"
    "  --date-in-name on|off the date in the file name\n"
    "  --picture PNG         the dialog as the user left it when pressing OK\n"
    "  --cancel              press Cancel instead of OK\n"
    "  --show                the dialog on screen, filled from the options, for a person to finish\n";

struct Options {
  std::string table;
  std::vector<int> order;
  std::optional<CString> delimiter, qualifier, file, browse;
  std::optional<bool> titles, banner, dateInName;
  std::string picture;
  bool cancel = false;
  bool show = false;
};

bool Flag(const std::string& value, std::optional<bool>& flag) {
  if (value != "on" && value != "off") return false;
  flag = value == "on";
  return true;
}


std::optional<Options> Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--cancel" || word == "--show") {
      (word == "--cancel" ? options.cancel : options.show) = true;
      continue;
    }
    if (!word.starts_with("--")) {
      if (!options.table.empty()) return std::nullopt;
      options.table = word;
      continue;
    }
    if (i + 1 >= argc) return std::nullopt;
    const std::string value = argv[++i];
    const CString text = CString::FromUtf8(value);
    if (word == "--order" && ParseColumnOrder(value, options.order)) continue;
    if (word == "--delimiter") options.delimiter = text;
    else if (word == "--qualifier") options.qualifier = text;
    else if (word == "--file") options.file = text;
    else if (word == "--browse") options.browse = text;
    else if (word == "--picture") options.picture = value;
    else if (!(word == "--titles" && Flag(value, options.titles)) && !(word == "--banner" && Flag(value, options.banner)) &&
             !(word == "--date-in-name" && Flag(value, options.dateInName))) {
      return std::nullopt;
    }
  }
  if (options.table.empty()) return std::nullopt;
  return options;
}

// A choice of the combo box is picked; any other text is typed.
void Choose(ScriptedUser::DialogScript& dialog, int id, const CString& value) {
  const DialogTemplate* format = AfxFindResource<DialogTemplate>(nullptr, CExportFormatDlg::IDD);
  for (const DialogItemTemplate& item : format->items) {
    if (item.id != id) continue;
    for (const CString& choice : item.choices) {
      if (choice == value) {
        dialog.Pick(id, value);
        return;
      }
    }
  }
  dialog.Type(id, value);
}

void Script(CommandLineUser& user, const Options& options) {
  ScriptedUser::DialogScript& dialog = user.InDialog(CExportFormatDlg::IDD);
  if (options.delimiter) Choose(dialog, CExportFormatDlg::kDelimiter, *options.delimiter);
  if (options.qualifier) Choose(dialog, CExportFormatDlg::kQuote, *options.qualifier);
  if (options.browse) {
    dialog.Click(CExportFormatDlg::kBrowse);
    user.ConfirmFile(*options.browse);
  }
  if (options.file) dialog.Type(CExportFormatDlg::kFile, *options.file);
  if (options.titles) dialog.Check(CExportFormatDlg::kTitles, *options.titles);
  if (options.banner) dialog.Check(CExportFormatDlg::kBanner, *options.banner);
  if (options.dateInName) dialog.Check(CExportFormatDlg::kDateInName, *options.dateInName);
  if (!options.picture.empty()) dialog.Render(options.picture);
  if (!options.show) dialog.Click(options.cancel ? IDCANCEL : IDOK);
}

bool ShowOnScreen(CWinApp& app) {
  std::string why;
  if (app.UseScreen(why)) return true;
  std::fprintf(stderr, "list_export: --show: no screen: %s\n", why.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = Parse(argc, argv);
  if (!options) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  CWinApp app(L"List export");
  if (options->show && !ShowOnScreen(app)) return 1;
  RegisterExportResources(app);
  // The dialog's picture fills cairo's and fontconfig's font caches; emptied
  // once the windows are gone, what LeakSanitizer reports at exit is a real leak.
  const struct FontCachesAtExit {
    ~FontCachesAtExit() { ReleaseFontCaches(); }
  } fontCaches;
  try {
    const Table table = ReadTable(options->table);
    RequireExportableHeadings(table);
    CWnd main;
    main.Create(kGenericWindowClass, L"List export", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 800, 600}, nullptr, 0);
    app.m_pMainWnd = &main;
    CListCtrl list;
    list.Create(kListViewClass, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, {0, 0, 780, 560}, &main, 1);
    FillList(list, table);
    if (!options->order.empty() &&
        !list.SetColumnOrderArray(static_cast<int>(options->order.size()), options->order.data())) {
      std::fprintf(stderr, "list_export: --order must name each of the %zu columns once\n", table.headings.size());
      return 2;
    }
    CommandLineUser user;
    ScreenUser person;
    if (options->show) user.HandOverTo(person);
    Script(user, *options);
    return WinUtils::ExportListCtrlData(list) ? 0 : 1;
  } catch (const TableError& error) {
    std::fprintf(stderr, "list_export: %s\n", error.what());
  } catch (const UserScriptError& error) {
    std::fprintf(stderr, "list_export: %s\n", error.what());
  } catch (const CFileException& error) {
    std::fprintf(stderr, "list_export: writing %s failed: %s\n", error.m_strFileName.ToUtf8().c_str(),
                 error.GetErrorMessage().ToUtf8().c_str());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "list_export: there is not enough memory for the table\n");
  }
  return 1;
}
