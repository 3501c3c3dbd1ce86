#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/docview/CDocTemplate.h"
#include "brenmoor/docview/CDocument.h"
#include "brenmoor/docview/CMDIFrameWnd.h"
#include "brenmoor/core/COleDateTime.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/docview/CView.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"
#include "TempFolder.h"

namespace {

using testsupport::ReadFile;
using testsupport::TempFolder;
using Lines = std::vector<std::string>;
Lines calls;
int pagesToPrint = 3;

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

class PrintDoc : public CDocument {
  DECLARE_DYNCREATE(PrintDoc)
};
IMPLEMENT_DYNCREATE(PrintDoc, CDocument)

// Prints pagesToPrint pages (an unknown number when 0) and notes each call
// with whether the main window was enabled then.
class PrintView : public CView {
  DECLARE_DYNCREATE(PrintView)
 public:
  void OnDraw(CDC* dc) override { dc->TextOut(0, 0, L"drawn"); }
  void OnPrepareDC(CDC* dc, CPrintInfo* info) override {
    CView::OnPrepareDC(dc, info);
    Note("OnPrepareDC " + std::to_string(info->m_nCurPage) + (info->m_bContinuePrinting ? "" : " stop"));
  }

 protected:
  BOOL OnPreparePrinting(CPrintInfo* info) override {
    Note(std::string("OnPreparePrinting") + (info->m_bPreview ? " preview" : "") + (info->m_bDirect ? " direct" : ""));
    return DoPreparePrinting(info);
  }
  void OnBeginPrinting(CDC*, CPrintInfo* info) override {
    Note("OnBeginPrinting");
    if (pagesToPrint > 0) info->SetMaxPage(static_cast<UINT>(pagesToPrint));
  }
  void OnPrint(CDC* dc, CPrintInfo* info) override {
    Note("OnPrint " + std::to_string(info->m_nCurPage) + " in " + std::to_string(info->m_rectDraw.Width()) + "x" +
         std::to_string(info->m_rectDraw.Height()));
    dc->TextOut(0, 0, CString(L"Page ") + CString(std::to_wstring(info->m_nCurPage)));
  }
  void OnEndPrinting(CDC*, CPrintInfo*) override { Note("OnEndPrinting"); }
  void OnEndPrintPreview(CDC* dc, CPrintInfo* info, CPoint point, CPrintPreview* preview) override {
    Note("OnEndPrintPreview");
    CView::OnEndPrintPreview(dc, info, point, preview);
  }
  void Note(const std::string& call) {
    calls.push_back(call + (AfxGetMainWnd()->IsWindowEnabled() ? "" : " (main disabled)"));
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(PrintView, CView)
BEGIN_MESSAGE_MAP(PrintView, CView)
  CommandEntry<&CView::OnFilePrint>(ID_FILE_PRINT),
  CommandEntry<&CView::OnFilePrint>(ID_FILE_PRINT_DIRECT),
  CommandEntry<&CView::OnFilePrintPreview>(ID_FILE_PRINT_PREVIEW),
END_MESSAGE_MAP()

class PrintPathTest : public testing::Test {
 protected:
  PrintPathTest() {
    auto* docTemplate = new CMultiDocTemplate(400, RUNTIME_CLASS(PrintDoc), RUNTIME_CLASS(CMDIChildWnd),
                                              RUNTIME_CLASS(PrintView));
    app.AddDocTemplate(docTemplate);
    auto* main = new CMDIFrameWnd;
    main->Create(nullptr, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    app.m_pMainWnd = main;
    CDocument* document = docTemplate->OpenDocumentFile(nullptr);
    POSITION position = document->GetFirstViewPosition();
    view = document->GetNextView(position);
    AfxGetPrinter().file = CString::FromUtf8(Printed());
    pagesToPrint = 3;
    calls.clear();
  }
  ~PrintPathTest() override {
    if (app.m_pMainWnd != nullptr) app.m_pMainWnd->DestroyWindow();
    AfxGetPrinter().file.Empty();
  }
  std::string Printed() const { return (folder.Path() / "printed.pdf").string(); }
  void Command(UINT id) {
    view->PostMessage(WM_COMMAND, id);
    PumpPostedMessages();
  }

  TempFolder folder;
  CWinApp app{L"Host"};
  ScriptedUser user;
  CView* view = nullptr;
};

TEST_F(PrintPathTest, PrintingAsksThePrintDialogThenPrintsEveryPageInTheFrameworksOrder) {
  user.AnswerPrintDialog();
  Command(ID_FILE_PRINT);
  EXPECT_EQ(calls, (Lines{"OnPreparePrinting", "OnBeginPrinting",
                          "OnPrepareDC 1 (main disabled)", "OnPrepareDC 1 (main disabled)",
                          "OnPrint 1 in 559x806 (main disabled)", "OnPrepareDC 2 (main disabled)",
                          "OnPrepareDC 2 (main disabled)", "OnPrint 2 in 559x806 (main disabled)",
                          "OnPrepareDC 3 (main disabled)", "OnPrepareDC 3 (main disabled)",
                          "OnPrint 3 in 559x806 (main disabled)", "OnEndPrinting"}));
  EXPECT_EQ(user.Seen(), (Lines{"print dialog, pages 1 to 65535, printer \"" + Printed() + "\""}));
  const std::string pdf = ReadFile(Printed());
  EXPECT_EQ(Count(pdf, "/Count 3"), 1u);
  EXPECT_EQ(Count(pdf, "/MediaBox [ 0 0 595 842 ]"), 3u);
}

TEST_F(PrintPathTest, TheUserChoosesPagesAndAFileOrCancels) {
  const std::string other = (folder.Path() / "other.pdf").string();
  user.AnswerPrintDialog(CString::FromUtf8(other), 2, 3);
  Command(ID_FILE_PRINT);
  EXPECT_EQ(Count(calls.back(), "OnEndPrinting"), 1u);
  EXPECT_EQ(Count(ReadFile(other), "/Count 2"), 1u);
  EXPECT_EQ(ReadFile(Printed()), "<missing>");

  calls.clear();
  user.CancelPrintDialog();
  Command(ID_FILE_PRINT);
  EXPECT_EQ(calls, (Lines{"OnPreparePrinting"}));
  EXPECT_EQ(ReadFile(Printed()), "<missing>");
}

TEST_F(PrintPathTest, DirectPrintingSkipsTheDialogAndAViewOfUnknownLengthPrintsOnePage) {
  pagesToPrint = 0;
  Command(ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(calls, (Lines{"OnPreparePrinting direct", "OnBeginPrinting", "OnPrepareDC 1 (main disabled)",
                          "OnPrepareDC 1 (main disabled)", "OnPrint 1 in 559x806 (main disabled)",
                          "OnPrepareDC 2 stop (main disabled)", "OnEndPrinting"}));
  EXPECT_EQ(user.Seen(), Lines{});
  EXPECT_EQ(Count(ReadFile(Printed()), "/Count 1"), 1u);
}

TEST_F(PrintPathTest, AFileThatCannotBeWrittenIsReported) {
  AfxGetPrinter().file = CString::FromUtf8((folder.Path() / "missing" / "x.pdf").string());
  user.AnswerMessageBox();
  Command(ID_FILE_PRINT_DIRECT);
  EXPECT_EQ(user.Seen(), (Lines{"message box error: Failed to start print job."}));
  EXPECT_EQ(calls.back(), "OnEndPrinting");
}

TEST_F(PrintPathTest, PreviewDrawsThePagesAsPicturesAndEndsWhenTheUserClosesIt) {
  user.ClosePreview(folder.Path().string());
  Command(ID_FILE_PRINT_PREVIEW);
  EXPECT_EQ(calls, (Lines{"OnPreparePrinting preview", "OnBeginPrinting", "OnPrepareDC 1", "OnPrint 1 in 559x806",
                          "OnPrepareDC 2", "OnPrint 2 in 559x806", "OnPrepareDC 3", "OnPrint 3 in 559x806",
                          "OnEndPrintPreview", "OnEndPrinting"}));
  EXPECT_EQ(user.Seen(), (Lines{"print preview", "print preview: 3 pages"}));
  for (const char* page : {"page-1.png", "page-2.png", "page-3.png"}) {
    EXPECT_EQ(ReadFile(folder.Path() / page).substr(1, 3), "PNG") << page;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "page-4.png"));
}

// Printing and preview share one page loop; a printed page starts between
// two preparations (starting it resets the context), a previewed one needs
// none. A view of unknown length stops where its preparation says.
TEST_F(PrintPathTest, PrintAndPreviewPrepareAndPrintEachPageInTheFrameworksOrder) {
  struct Case {
    UINT command;
    int pages;
    Lines loop;
  };
  const Case cases[] = {
      {ID_FILE_PRINT_DIRECT, 2,
       {"OnPrepareDC 1", "OnPrepareDC 1", "OnPrint 1 in 559x806", "OnPrepareDC 2", "OnPrepareDC 2",
        "OnPrint 2 in 559x806"}},
      {ID_FILE_PRINT_DIRECT, 0, {"OnPrepareDC 1", "OnPrepareDC 1", "OnPrint 1 in 559x806", "OnPrepareDC 2 stop"}},
      {ID_FILE_PRINT_PREVIEW, 2, {"OnPrepareDC 1", "OnPrint 1 in 559x806", "OnPrepareDC 2", "OnPrint 2 in 559x806"}},
      {ID_FILE_PRINT_PREVIEW, 0, {"OnPrepareDC 1", "OnPrint 1 in 559x806", "OnPrepareDC 2 stop"}},
  };
  for (const Case& each : cases) {
    pagesToPrint = each.pages;
    calls.clear();
    if (each.command == ID_FILE_PRINT_PREVIEW) user.ClosePreview(folder.Path().string());
    Command(each.command);
    Lines loop;
    for (std::string call : calls) {
      if (call.rfind("OnPrepareDC", 0) != 0 && call.rfind("OnPrint ", 0) != 0) continue;
      if (const std::size_t disabled = call.find(" (main disabled)"); disabled != std::string::npos) call.erase(disabled);
      loop.push_back(call);
    }
    EXPECT_EQ(loop, each.loop) << each.command << " of " << each.pages;
  }
}

TEST_F(PrintPathTest, APreviewNobodyExpectedFailsAtOnce) {
  EXPECT_THROW(Command(ID_FILE_PRINT_PREVIEW), UserScriptError);
}

TEST(OleDateTimeFormat, WritesStrftimeCodesOrTheInvalidText) {
  CWinApp app(L"Host");
  const COleDateTime date(2026, 12, 8, 7, 5, 9);
  const COleDateTime early(1899, 12, 30, 0, 0, 0);
  struct Case {
    COleDateTime value;
    const wchar_t* format;
    const char* expected;
  } cases[] = {
      {date, L"%Y-%m-%d", "2026-12-08"},
      {date, L"%A, %d %B %Y %H:%M:%S", "Tuesday, 08 December 2026 07:05:09"},
      {date, L"%a %b %j %w", "Tue Dec 342 2"},
      {early, L"%d/%m/%Y %A", "30/12/1899 Saturday"},
      {COleDateTime(2026, 2, 30, 0, 0, 0), L"%Y-%m-%d", "Invalid DateTime"},
      {date, L"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.Format(c.format).ToUtf8(), c.expected) << c.expected;
  app.RegisterString(55296, L"no date");
  EXPECT_EQ(COleDateTime(0, 0, 0, 0, 0, 0).Format(L"%Y").ToUtf8(), "no date");
  COleDateTime nothing;
  nothing.m_status = COleDateTime::null;
  EXPECT_EQ(nothing.Format(L"%Y").ToUtf8(), "");
}

}  // namespace
