#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/win/CListPrintDoc.h"
#include "brenmoor/win/CListPrintView.h"
#include "brenmoor/win/CPrintFrame.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "PdfText.h"
#include "HostResources.h"
#include "PrintHost.h"
#include "brenmoor/gdi/RecordingSurface.h"
#include "brenmoor/windowing/Input.h"
#include "brenmoor/app/ScriptedUser.h"
#include "TableFile.h"
#include "TempFolder.h"

namespace {

using testsupport::PdfPages;
using testsupport::PdfWords;
using testsupport::ReadFile;
using testsupport::TempFolder;
using Lines = std::vector<std::string>;

constexpr UINT kNoCommand = 0;
const char* const kLinks =
    "Link\tSite\tState\n"
    "L01\tHalden\tUP\n"
    "L02\tKestle\tDOWN\n"
    "L03\tVelmo\tDEGRADED\n";

std::string Rows(int count) {
  std::string text = "Link\tSite\tLoad\n";
  for (int i = 1; i <= count; ++i) {
    text += "R" + std::to_string(i) + "\tSite" + std::to_string(i % 7) + "\t" + std::to_string(i * 3) + "%\n";
  }
  return text;
}

class ListPrintTest : public testing::Test {
 protected:
  ListPrintTest() { AfxGetPrinter().file = CString::FromUtf8(Pdf()); }
  ~ListPrintTest() override { AfxGetPrinter().file.Empty(); }

  std::string Pdf() const { return (folder.Path() / "list.pdf").string(); }
  void Fill(const std::string& table) { FillList(host.List(), ParseTable(table)); }
  CListPrintDoc* Document(UINT command, const wchar_t* system = L"", int includeDate = 0,
                          COleDateTime from = {}, COleDateTime to = {}) {
    return new CListPrintDoc(&host.List(), system, command, includeDate, from, to);
  }
  // A person's click in the middle of the column's heading.
  void ClickHeading(int column) {
    CRect list;
    host.List().GetWindowRect(&list);
    int left = list.left;
    for (int i = 0; i < column; ++i) left += host.List().GetColumnWidth(i);
    const CPoint at{left + host.List().GetColumnWidth(column) / 2, list.top + 10};
    SendMouseInput(host.MainFrame().m_hWnd, WM_LBUTTONDOWN, at, MK_LBUTTON);
    SendMouseInput(host.MainFrame().m_hWnd, WM_LBUTTONUP, at, 0);
  }
  std::string Links() {
    std::string links;
    for (int row = 0; row < host.List().GetItemCount(); ++row) links += host.List().GetItemText(row, 0).ToUtf8() + " ";
    return links;
  }
  static CListPrintView* ViewOf(CFrameWnd* frame) { return DYNAMIC_DOWNCAST(CListPrintView, frame->GetActiveView()); }
  int Documents() {
    int count = 0;
    for (POSITION position = host.Template().GetFirstDocPosition(); position != nullptr; ++count) {
      host.Template().GetNextDoc(position);
    }
    return count;
  }

  TempFolder folder;
  CWinApp app{L"Host"};
  ScriptedUser user;
  PrintHost host{app};
};

TEST_F(ListPrintTest, TheFrameStaysOutOfTheWayPrintsClosesAndGivesTheFocusBack) {
  Fill(kLinks);
  user.AnswerPrintDialog();
  CFrameWnd* frame = host.OpenPrintFrame(Document(ID_FILE_PRINT, L"KESTLE"));
  const HWND frameHandle = frame->m_hWnd;
  // Made maximised and shown, but the list's frame stays the active child;
  // the new view took the focus as a shown view does.
  EXPECT_EQ(frame->GetStyle() & 0x51CF0000u, 0x51CF0000u);
  EXPECT_EQ(host.MainFrame().MDIGetActive(), &host.ListFrame());
  CView* view = frame->GetActiveView();
  EXPECT_EQ(CWnd::GetFocus(), view);
  EXPECT_TRUE(view->IsWindowVisible());

  // The posted command prints, then posts the close and hides the view.
  ASSERT_TRUE(PumpPostedMessage());
  EXPECT_EQ(user.Seen(), (Lines{"print dialog, pages 1 to 65535, printer \"" + Pdf() + "\""}));
  EXPECT_EQ(PdfPages(Pdf()).size(), 1u);
  ASSERT_TRUE(IsWindow(frameHandle));
  EXPECT_FALSE(view->IsWindowVisible());
  EXPECT_FALSE(static_cast<CPrintFrame*>(frame)->IsPrinting());
  EXPECT_EQ(host.MainFrame().MDIGetActive(), frame);

  // The posted close ends the frame, its view and the document.
  ASSERT_TRUE(PumpPostedMessage());
  EXPECT_FALSE(PumpPostedMessage());
  EXPECT_FALSE(IsWindow(frameHandle));
  EXPECT_EQ(Documents(), 0);
  EXPECT_EQ(host.MainFrame().MDIGetActive(), &host.ListFrame());
  EXPECT_EQ(CWnd::GetFocus(), &host.List());
  EXPECT_TRUE(host.MainFrame().IsWindowEnabled());
  EXPECT_EQ(host.List().GetItemCount(), 3);
}

TEST_F(ListPrintTest, PrintingHandsTheActivationBackAndACloseWhilePrintingIsHonoured) {
  Fill(kLinks);
  CFrameWnd* frame = host.OpenPrintFrame(Document(kNoCommand));
  PumpPostedMessages();
  auto* printFrame = static_cast<CPrintFrame*>(frame);
  host.MainFrame().MDIActivate(frame);
  printFrame->SetPrintStart();
  EXPECT_TRUE(printFrame->IsPrinting());
  EXPECT_EQ(host.MainFrame().MDIGetActive(), &host.ListFrame());
  const HWND frameHandle = frame->m_hWnd;
  frame->SendMessage(WM_CLOSE);
  EXPECT_FALSE(IsWindow(frameHandle));
  EXPECT_EQ(CWnd::GetFocus(), &host.List());
}

TEST_F(ListPrintTest, ACancelledPrintDialogStillClosesTheFrame) {
  Fill(kLinks);
  user.CancelPrintDialog();
  host.Print(Document(ID_FILE_PRINT, L"KESTLE"));
  EXPECT_EQ(ReadFile(Pdf()), "<missing>");
  EXPECT_EQ(Documents(), 0);
  EXPECT_EQ(host.MainFrame().MDIGetActive(), &host.ListFrame());
  EXPECT_EQ(CWnd::GetFocus(), &host.List());
}

TEST_F(ListPrintTest, DirectPrintingAsksNothingAndPreviewEndsWhenTheUserClosesIt) {
  Fill(kLinks);
  host.Print(Document(ID_FILE_PRINT_DIRECT));
  EXPECT_EQ(user.Seen(), Lines{});
  EXPECT_EQ(PdfPages(Pdf()), (Lines{"Link Site State\nL01 Halden UP\nL02 Kestle DOWN\nL03 Velmo DEGRADED\n"}));

  user.ClosePreview(folder.Path().string());
  host.Print(Document(ID_FILE_PRINT_PREVIEW));
  EXPECT_EQ(user.Seen(), (Lines{"print preview", "print preview: 1 pages"}));
  EXPECT_EQ(ReadFile(folder.Path() / "page-1.png").substr(1, 3), "PNG");
  EXPECT_EQ(Documents(), 0);
  EXPECT_EQ(CWnd::GetFocus(), &host.List());
}

TEST_F(ListPrintTest, ColumnsPrintInDisplayOrderUnderTheirHeadingsWithThePageHeading) {
  Fill(kLinks);
  const int order[] = {2, 0, 1};
  host.List().SetColumnOrderArray(3, order);
  host.Print(Document(ID_FILE_PRINT_DIRECT, L"KESTLE", 1, COleDateTime(2026, 1, 2, 0, 0, 0),
                      COleDateTime(2026, 2, 30, 0, 0, 0)));
  const Lines pages = PdfPages(Pdf());
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(std::regex_match(
      pages[0], std::regex("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d - KESTLE, from 2026-01-02 to Invalid DateTime\n"
                           "State Link Site\nUP L01 Halden\nDOWN L02 Kestle\nDEGRADED L03 Velmo\n")))
      << pages[0];
}

TEST_F(ListPrintTest, AClickOnAHeadingSortsTheListASecondReversesAndThePrintFollows) {
  Fill(kLinks);
  const struct {
    int column;
    const char* links;
  } clicks[] = {{2, "L03 L02 L01 "}, {2, "L01 L02 L03 "}, {0, "L01 L02 L03 "}, {0, "L03 L02 L01 "}, {1, "L01 L02 L03 "}};
  for (const auto& click : clicks) {
    ClickHeading(click.column);
    EXPECT_EQ(Links(), click.links) << "after a click on column " << click.column;
  }
  ClickHeading(2);
  host.Print(Document(ID_FILE_PRINT_DIRECT));
  EXPECT_EQ(PdfPages(Pdf()), Lines{"Link Site State\nL03 Velmo DEGRADED\nL02 Kestle DOWN\nL01 Halden UP\n"});
}

// The keys go down in order and come up in the reverse order; with Alt they are the system's keys.
void PressKeys(const std::vector<WPARAM>& keys) {
  const bool alt = keys.front() == VK_MENU;
  const LPARAM flags = alt ? static_cast<LPARAM>(KF_ALTDOWN) << 16 : 0;
  for (WPARAM key : keys) SendKeyInput(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, flags);
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) SendKeyInput(alt ? WM_SYSKEYUP : WM_KEYUP, *key, flags);
}

TEST_F(ListPrintTest, TheFramesFileMenuAndCtrlPPrintOrPreviewTheListAndExitClosesTheFrame) {
  Fill(kLinks);
  host.PrintFromMenu([this](UINT command) { return Document(command); });
  const HWND main = host.MainFrame().m_hWnd;
  const CPoint onFile{GetClientOrigin(main).x + 10, GetClientOrigin(main).y - 10};
  const std::string menu = "popup menu: &Print...\\tCtrl+P, Print Pre&view, -, E&xit";
  const std::string dialog = "print dialog, pages 1 to 65535, printer \"" + Pdf() + "\"";
  const std::string printed = "Link Site State\nL01 Halden UP\nL02 Kestle DOWN\nL03 Velmo DEGRADED\n";
  struct Case {
    const char* what;
    std::function<void()> expect;
    std::function<void()> act;
    Lines seen;
    Lines pages;
  };
  const Case cases[] = {
      {"File clicked, Print picked, the dialog answered",
       [this] {
         user.PickMenuItem(ID_FILE_PRINT);
         user.AnswerPrintDialog();
       },
       [&] {
         SendMouseInput(main, WM_LBUTTONDOWN, onFile, MK_LBUTTON);
         SendMouseInput(main, WM_LBUTTONUP, onFile, 0);
       },
       {menu, dialog}, {printed}},
      {"Alt+F, Print Preview picked and closed",
       [this] {
         user.PickMenuItem(ID_FILE_PRINT_PREVIEW);
         user.ClosePreview();
       },
       [] { PressKeys({VK_MENU, 'F'}); }, {menu, "print preview"}, {}},
      {"Ctrl+P, the dialog answered", [this] { user.AnswerPrintDialog(); }, [] { PressKeys({VK_CONTROL, 'P'}); },
       {dialog}, {printed}},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.what);
    std::filesystem::remove(Pdf());
    const std::size_t before = user.Seen().size();
    each.expect();
    each.act();
    PumpPostedMessages();
    EXPECT_EQ(Lines(user.Seen().begin() + static_cast<std::ptrdiff_t>(before), user.Seen().end()), each.seen);
    if (each.pages.empty()) EXPECT_EQ(ReadFile(Pdf()), "<missing>");
    else EXPECT_EQ(PdfPages(Pdf()), each.pages);
    EXPECT_EQ(Documents(), 0);
    EXPECT_EQ(CWnd::GetFocus(), &host.List());
  }
  user.PickMenuItem(kExitCommand);
  PressKeys({VK_MENU, 'F'});
  PumpPostedMessages();
  EXPECT_FALSE(IsWindow(main));
}

TEST_F(ListPrintTest, TheHeadingShowsTheDatesOnlyWhenAskedAndNotAtAllWithoutASystemName) {
  Fill(kLinks);
  struct Case {
    CListPrintDoc* document;
    const char* heading;
  } cases[] = {
      {new CListPrintDoc(&host.List(), kNoCommand), ""},
      {Document(kNoCommand, L"KESTLE"), "^\\S+ \\S+ - KESTLE$"},
      {Document(kNoCommand, L"KESTLE", 1, COleDateTime(2025, 12, 31, 23, 0, 0), COleDateTime(2026, 1, 1, 0, 0, 0)),
       "^\\S+ \\S+ - KESTLE, from 2025-12-31 to 2026-01-01$"},
  };
  for (const Case& c : cases) {
    CFrameWnd* frame = host.OpenPrintFrame(c.document);
    EXPECT_EQ(c.document->GetTitle().ToUtf8(), "List print");
    const std::string heading = ViewOf(frame)->PageHeading().ToUtf8();
    EXPECT_TRUE(std::regex_match(heading, std::regex(c.heading == std::string() ? "^$" : c.heading))) << heading;
    const HWND frameHandle = frame->m_hWnd;
    PumpPostedMessages();
    ::SendMessage(frameHandle, WM_CLOSE);
  }
  EXPECT_EQ(Documents(), 0);
}

TEST_F(ListPrintTest, TwoHundredRowsRepeatTheHeadingRowOnEveryPageWithinTheMargins) {
  Fill(Rows(200));
  host.Print(Document(ID_FILE_PRINT_DIRECT, L"KESTLE"));
  const Lines pages = PdfPages(Pdf());
  ASSERT_GT(pages.size(), 4u);
  int next = 1;
  for (const std::string& page : pages) {
    std::istringstream lines(page);
    std::string line;
    std::getline(lines, line);
    EXPECT_TRUE(std::regex_match(line, std::regex(".* - KESTLE"))) << line;
    std::getline(lines, line);
    EXPECT_EQ(line, "Link Site Load");
    while (std::getline(lines, line)) {
      EXPECT_EQ(line, "R" + std::to_string(next) + " Site" + std::to_string(next % 7) + " " +
                          std::to_string(next * 3) + "%");
      ++next;
    }
  }
  EXPECT_EQ(next, 201);
  // The heading sits at the top of the printable area, the grid inside the margins.
  for (const testsupport::PdfWord& word : PdfWords(Pdf())) {
    if (word.text == "KESTLE") {
      // Word boxes reach a little beyond the text's cell.
      EXPECT_GE(word.top, 17.0);
      EXPECT_LT(word.top, 36.0);
      continue;
    }
    if (word.top < 40.0) continue;
    EXPECT_GE(word.left, 18.0 + 36.0 - 1.0) << word.text;
    EXPECT_GE(word.top, 18.0 + 72.0 - 1.0) << word.text;
    EXPECT_LE(word.right, 595.0 - 18.0 - 36.0 + 1.0) << word.text;
    EXPECT_LE(word.bottom, 842.0 - 18.0 - 72.0 + 1.0) << word.text;
  }
}

TEST_F(ListPrintTest, ColumnsAreFittedToTheirTextAndWidenedByTheFactor) {
  RecordingSurface oneUnitACharacter(CSize{1, 16});
  CScreenDC::Substitute screen(oneUnitACharacter);
  // Fitted widths are the widest text and 7: 100, 101 and 20.
  const std::string table = "A\tB\tC\n" + std::string(93, 'x') + "\t" + std::string(94, 'y') + "\t" +
                            std::string(13, 'z') + "\nshort\tshort\tshort\n";
  Fill(table);
  CFrameWnd* frame = host.OpenPrintFrame(Document(kNoCommand));
  CListPrintView* view = ViewOf(frame);
  EXPECT_EQ(view->GetColWidth(1), 114);
  EXPECT_EQ(view->GetColWidth(2), 116);
  EXPECT_EQ(view->GetColWidth(3), 22);
  EXPECT_TRUE(view->IsColHidden(0));
  EXPECT_EQ(view->GetUndoCount(), 0);  // filled with undo switched off
  EXPECT_TRUE(view->GetParam()->IsEnableUndo());
  EXPECT_EQ(view->GetLastUpdateFlags(), GX_UPDATENOW);
  int top = 0, left = 0, bottom = 0, right = 0;
  view->GetParam()->GetProperties()->GetMargins(top, left, bottom, right);
  EXPECT_EQ((std::vector<int>{top, left, bottom, right}), (std::vector<int>{72, 36, 72, 36}));
  PumpPostedMessages();
  frame->SendMessage(WM_CLOSE);
}

TEST_F(ListPrintTest, AnEmptyListPrintsItsHeadingRowAndLongHeadingsAreCut) {
  const std::string longHeading(300, 'h');
  Fill("Link\t" + longHeading + "\n");
  CFrameWnd* frame = host.OpenPrintFrame(Document(ID_FILE_PRINT_DIRECT));
  EXPECT_EQ(ViewOf(frame)->GetValueRowCol(0, 2).GetLength(), 255);
  EXPECT_EQ(ViewOf(frame)->GetRowCount(), 0u);
  PumpPostedMessages();
  // The long heading is too wide to share a page and is cut at its edge.
  const Lines pages = PdfPages(Pdf());
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0], "Link\n");
  EXPECT_EQ(pages[1].find_first_not_of('h'), pages[1].size() - 1);
  EXPECT_GT(pages[1].size(), 50u);
  EXPECT_LT(pages[1].size(), 255u);
}

TEST_F(ListPrintTest, HugeCellsAndManyColumnsPrintWithoutOverrunningThePage) {
  std::string headings;
  std::string cells;
  for (int col = 0; col < 10000; ++col) {
    headings += (col > 0 ? "\tC" : "C") + std::to_string(col);
    cells += (col > 0 ? "\t" : "") + (col == 1 ? std::string(100000, 'w') : std::to_string(col));
  }
  Fill(headings + "\n" + cells + "\n");
  host.Print(Document(ID_FILE_PRINT_DIRECT));
  const Lines pages = PdfPages(Pdf());
  ASSERT_GT(pages.size(), 100u);
  EXPECT_EQ(pages.front().substr(0, 3), "C0\n");  // the huge column fills a page of its own after C0
  EXPECT_NE(pages.back().find("C9999"), std::string::npos);
  for (const testsupport::PdfWord& word : PdfWords(Pdf())) {
    EXPECT_LE(word.right, 595.0 - 18.0 - 36.0 + 0.5) << word.text.substr(0, 20);
  }
}

}  // namespace
