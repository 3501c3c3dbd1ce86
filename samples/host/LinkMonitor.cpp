// The link monitor: a host of libwin built against the installed package.
// It loads a table of links into a list, sorts it on a column as a click on
// the column's heading does, exports it through the export dialog, prints it
// and previews it, and plays a recorded session into a terminal pane.
//
//   link_monitor LINKS.tsv SESSION.vt FOLDER [COLUMN]
//
// FOLDER receives links.csv, links.pdf, preview/page-N.png, terminal.png
// and the profile link_monitor.ini. The rows in their sorted order, each
// message box and the degraded link's row of the terminal go to standard
// output. The user is scripted: every dialog is answered from here, so
// nothing waits for a person.

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "HostResources.h"
#include "SessionDecoder.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/docview/CDocTemplate.h"
#include "brenmoor/docview/CMDIFrameWnd.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/ui/CPaintDC.h"
#include "brenmoor/win/CColorStatusBar.h"
#include "brenmoor/win/CExportFormatDlg.h"
#include "brenmoor/win/CListCtrlSorter.h"
#include "brenmoor/win/CListPrintDoc.h"
#include "brenmoor/win/CListPrintView.h"
#include "brenmoor/win/CPrintFrame.h"
#include "brenmoor/win/EmulatorLayout.h"
#include "brenmoor/win/ScreenBuffer.h"
#include "brenmoor/win/WinUtils.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

constexpr int kColumnWidth = 120;

// [guide:sorting]
// The frame around the list: a click on a column's heading sorts on that
// column, and a second click on it reverses the order.
class LinksFrame : public CMDIChildWnd {
 public:
  CListCtrl list;

 protected:
  LRESULT OnNotify(WPARAM, LPARAM lParam) {
    const auto* click = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (click->hdr.code == LVN_COLUMNCLICK) sorter_.SortListCtrl(list, click->iSubItem);
    return 0;
  }

 private:
  CListCtrlSorter sorter_;

  DECLARE_MESSAGE_MAP()
};
// [end]

BEGIN_MESSAGE_MAP(LinksFrame, CMDIChildWnd)
  MessageEntry<&LinksFrame::OnNotify>(WM_NOTIFY),
END_MESSAGE_MAP()

// [guide:terminal]
// The pane's cells lie edge to edge from its top-left corner.
class PaneLayout : public EmulatorLayout {
 public:
  explicit PaneLayout(CWnd& pane) : pane_(pane) {
    static constexpr COLORREF colours[7] = {
        RGB(0xD8, 0xDE, 0xE6),  // text
        RGB(0x12, 0x1A, 0x26),  // background
        RGB(0x7C, 0x88, 0x98),  // subdued
        RGB(0x7C, 0xC8, 0xFF),  // underlined
        RGB(0xFF, 0xB8, 0x4C),  // blinking
        RGB(0x12, 0x1A, 0x26),  // selected text
        RGB(0xFF, 0xE0, 0x80),  // selected background
    };
    ChangeLayout(colours, L"Courier New", -14, false, false);
  }
  void Repaint() override { pane_.Invalidate(); }
  CSize CharCellSize() override { return MeasuredCharSize(); }
  int RowToY(int row) override { return row * MeasuredCharSize().cy; }
  int ColumnToX(int column) override { return column * MeasuredCharSize().cx; }

 private:
  CWnd& pane_;
};

// A window that shows a terminal screen: the host decodes what arrives,
// libwin keeps the cells and draws them whenever the pane is painted.
class TerminalPane : public CWnd {
 public:
  TerminalPane() : layout_(*this), screen_(layout_), decoder_(screen_) {}
  CSize Size() {
    const CSize cell = layout_.CharCellSize();
    return {screen_.VisColumns() * cell.cx, screen_.VisRows() * cell.cy};
  }
  void Play(const std::string& bytes) {
    decoder_.Feed(bytes);
    Invalidate();
  }
  ScreenBuffer& Screen() { return screen_; }

 protected:
  LRESULT OnPaint(WPARAM, LPARAM) {
    CPaintDC dc(this);
    screen_.Refresh(&dc);
    return 0;
  }

 private:
  PaneLayout layout_;
  ScreenBuffer screen_;
  SessionDecoder decoder_;

  DECLARE_MESSAGE_MAP()
};
// [end]

BEGIN_MESSAGE_MAP(TerminalPane, CWnd)
  MessageEntry<&TerminalPane::OnPaint>(WM_PAINT),
END_MESSAGE_MAP()

std::vector<CString> SplitTabs(const std::string& line) {
  std::vector<CString> fields;
  std::size_t start = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
    fields.push_back(CString::FromUtf8(line.substr(start, tab - start)));
    start = tab + 1;
  }
  fields.push_back(CString::FromUtf8(line.substr(start)));
  return fields;
}

// The first line holds the headings; each further line is a row.
bool LoadLinks(const std::filesystem::path& path, CListCtrl& list) {
  std::ifstream file(path);
  std::string line;
  if (!std::getline(file, line)) return false;
  const std::vector<CString> headings = SplitTabs(line);
  for (std::size_t column = 0; column < headings.size(); ++column) {
    list.InsertColumn(static_cast<int>(column), headings[column], LVCFMT_LEFT, kColumnWidth);
  }
  for (int row = 0; std::getline(file, line); ++row) {
    const std::vector<CString> fields = SplitTabs(line);
    const int item = list.InsertItem(row, fields[0]);
    for (std::size_t column = 1; column < fields.size() && column < headings.size(); ++column) {
      list.SetItemText(item, static_cast<int>(column), fields[column]);
    }
  }
  return true;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void PrintRows(CListCtrl& list) {
  const int columns = list.GetHeaderCtrl()->GetItemCount();
  for (int item = 0; item < list.GetItemCount(); ++item) {
    for (int column = 0; column < columns; ++column) {
      std::printf("%s%s", column ? "\t" : "", list.GetItemText(item, column).ToUtf8().c_str());
    }
    std::printf("\n");
  }
}

// Where a person clicks the column's heading: the middle of its cell, the
// headings lying left to right in the order the list shows them.
void ClickHeading(CListCtrl& list, int column) {
  const int columns = list.GetHeaderCtrl()->GetItemCount();
  std::vector<int> order(static_cast<std::size_t>(columns));
  list.GetColumnOrderArray(order.data(), columns);
  int x = 0;
  for (int shown : order) {
    if (shown == column) break;
    x += list.GetColumnWidth(shown);
  }
  const LPARAM point = MAKELPARAM(static_cast<WORD>(x + list.GetColumnWidth(column) / 2), 5);
  list.GetHeaderCtrl()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
  list.GetHeaderCtrl()->SendMessage(WM_LBUTTONUP, 0, point);
}

// [guide:export]
// The user picks the comma, types the file name, asks for the column titles
// and presses OK; libwin writes the file and reports it in a message box.
bool Export(ScriptedUser& user, CListCtrl& list, const std::filesystem::path& file) {
  user.InDialog(CExportFormatDlg::IDD)
      .Pick(CExportFormatDlg::kDelimiter, L",")
      .Type(CExportFormatDlg::kFile, CString::FromUtf8(file.string()))
      .Check(CExportFormatDlg::kTitles, true)
      .Click(IDOK);
  return WinUtils::ExportListCtrlData(list);
}
// [end]

// [guide:printing]
// A print document on the list, opened through the print template: its view
// prints (ID_FILE_PRINT, through the print dialog) or previews
// (ID_FILE_PRINT_PREVIEW) once the posted messages run, and its frame closes
// itself when done, giving the focus back to the list.
void Print(CDocTemplate& print, CListCtrl& list, UINT command) {
  auto* document = new CListPrintDoc(&list, L"KESTLE", command, false, {}, {});
  print.AddDocument(document);
  CFrameWnd* frame = print.CreateNewFrame(document, nullptr);
  if (frame == nullptr) {
    print.RemoveDocument(document);
    delete document;
    return;
  }
  print.InitialUpdateFrame(frame, document, true);
  PumpPostedMessages();
}
// [end]

// A column index from 0, or -1 for none.
int ParseColumn(const std::string& text) {
  int column = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), column);
  return error == std::errc{} && end == text.data() + text.size() && column >= 0 ? column : -1;
}

// The monitor's whole run: the links, what is made of them, the session.
int Run(const std::filesystem::path& table, const std::filesystem::path& sessionFile,
        const std::filesystem::path& folder, int column) {
  std::filesystem::create_directories(folder / "preview");

  // [guide:minimal-host]
  // The application object, the resources libwin loads by number, and the
  // user who answers what libwin shows; then the main window.
  CWinApp app(L"Link monitor");
  app.SetProfileFile(folder / "link_monitor.ini");
  RegisterExportResources(app);
  RegisterPrintResources(app);
  RegisterWindowResources(app);
  CommandLineUser user;
  auto* main = new CMDIFrameWnd;
  main->Create(nullptr, L"Link monitor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 1024, 768});
  app.m_pMainWnd = main;
  // [end]

  // [guide:controls]
  // libwin's status bar paints its first pane white on navy.
  CColorStatusBar status;
  const UINT panes[] = {ID_SEPARATOR};
  status.Create(main);
  status.SetIndicators(panes, 1);
  status.SetPaneText(0, L"Links of the Kestle network");
  // [end]

  auto* links = new LinksFrame;
  links->Create(nullptr, L"Links", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, main);
  CRect client;
  links->GetClientRect(&client);
  links->list.Create(kListViewClass, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, client, links, 1);
  links->ActivateFrame();
  links->list.SetFocus();
  if (!LoadLinks(table, links->list)) {
    std::fprintf(stderr, "link_monitor: cannot read a table from %s\n", table.c_str());
    return 1;
  }
  const int columns = links->list.GetHeaderCtrl()->GetItemCount();
  if (column >= columns) {
    std::fprintf(stderr, "link_monitor: the table has columns 0 to %d, not %d\n", columns - 1, column);
    return 2;
  }
  if (column >= 0) ClickHeading(links->list, column);
  PrintRows(links->list);

  if (!Export(user, links->list, folder / "links.csv")) return 1;

  auto* print = new CMultiDocTemplate(kListPrintTemplate, RUNTIME_CLASS(CListPrintDoc), RUNTIME_CLASS(CListPrintFrame),
                                      RUNTIME_CLASS(CListPrintView));
  app.AddDocTemplate(print);
  user.AnswerPrintDialog(CString::FromUtf8((folder / "links.pdf").string()));
  Print(*print, links->list, ID_FILE_PRINT);
  user.ClosePreview((folder / "preview").string());
  Print(*print, links->list, ID_FILE_PRINT_PREVIEW);

  // [guide:window-utilities]
  // The list's column widths and order, kept in the profile for the next run.
  WinUtils::SaveListColumns(links->list, L"Links");
  // [end]

  auto* session = new CMDIChildWnd;
  session->Create(nullptr, L"Session", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, main);
  TerminalPane pane;
  pane.Create(kGenericWindowClass, L"", WS_CHILD | WS_VISIBLE, {0, 0, 1, 1}, session, 2);
  pane.Play(ReadBytes(sessionFile));
  const CSize size = pane.Size();
  pane.MoveWindow(CRect({0, 0}, size));
  RasterSurface picture(size.cx, size.cy, RGB(0, 0, 0));
  CDC dc(picture);
  PaintWindow(pane.m_hWnd, dc);
  picture.WritePng((folder / "terminal.png").string());
  pane.Screen().Select({9, 4}, {9, 43});
  std::printf("terminal: %s\n", pane.Screen().SelectedText().ToUtf8().c_str());

  const bool leftOver = !user.Unused().empty();
  main->DestroyWindow();
  return leftOver ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int column = argc == 5 ? ParseColumn(argv[4]) : -1;
  if (argc < 4 || argc > 5 || (argc == 5 && column < 0)) {
    std::fputs("usage: link_monitor LINKS.tsv SESSION.vt FOLDER [COLUMN]\n", stderr);
    return 2;
  }
  try {
    return Run(argv[1], argv[2], argv[3], column);
  } catch (const UserScriptError& error) {
    std::fprintf(stderr, "link_monitor: %s\n", error.what());
  } catch (const std::filesystem::filesystem_error& error) {
    std::fprintf(stderr, "link_monitor: %s\n", error.what());
  }
  return 1;
}
