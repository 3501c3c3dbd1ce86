#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PngPixels.h"
#include "ScriptedWindows.h"
#include "TempFolder.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/docview/CPrintPreview.h"
#include "brenmoor/docview/CView.h"
#include "brenmoor/docview/PrintDialogWindow.h"
#include "brenmoor/docview/PrintPreviewWindow.h"
#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

using testsupport::Do;
using testsupport::Press;
using Lines = std::vector<std::string>;
using Dialog = CPrintDialogWindow;
using Preview = CPrintPreviewWindow;

class PrintWindowsTest : public testing::Test {
 protected:
  PrintWindowsTest() { AfxGetPrinter().file = L"/printer/out.pdf"; }
  CWinApp app{L"Tester"};
  ScriptedUser user;
};

// Pages 1 to 5 offered, as a view that knows its length leaves them.
struct FivePages {
  FivePages() {
    dialog.m_pd.nMinPage = 1;
    dialog.m_pd.nMaxPage = 5;
    dialog.m_pd.nFromPage = 1;
    dialog.m_pd.nToPage = 5;
  }
  CPrintDialog dialog{false};
};

TEST_F(PrintWindowsTest, ThePrintDialogShowsThePrinterAndTakesTheRangeAndFileChosen) {
  struct Case {
    std::function<void(ScriptedUser::DialogScript&)> act;
    bool printed;
    std::string result;  // range, then the file
  };
  for (const Case& each : std::vector<Case>{
           {[](auto& s) { s.Click(IDOK); }, true, "all, /printer/out.pdf"},
           {[](auto& s) { s.Check(Dialog::kPageRange, true).Type(Dialog::kFromPage, L"2").Type(Dialog::kToPage, L"3")
                              .Click(IDOK); }, true, "2 to 3, /printer/out.pdf"},
           {[](auto& s) { s.Type(Dialog::kFromPage, L"4").Click(IDOK); }, true, "4 to 5, /printer/out.pdf"},
           {[](auto& s) { s.Type(Dialog::kToPage, L"4").Click(Dialog::kAllPages).Click(IDOK); }, true,
            "all, /printer/out.pdf"},
           {[](auto& s) { s.Check(Dialog::kPrintToFile, true).Type(Dialog::kOutputFile, L"other.pdf").Click(IDOK); },
            true, "all, other.pdf"},
           {[](auto& s) { s.Check(Dialog::kPageRange, true).Click(IDCANCEL); }, false, "all, /printer/out.pdf"},
       }) {
    FivePages pages;
    ScriptedUser::DialogScript& script = user.InDialog(kPrintDialogWindow);
    script.Read(Dialog::kPrinter).Read(Dialog::kWhere).Read(Dialog::kFromPage).Read(Dialog::kToPage);
    each.act(script);
    EXPECT_EQ(RunPrintDialogWindow(pages.dialog), each.printed);
    const std::string range = pages.dialog.PrintRange() ? std::to_string(pages.dialog.GetFromPage()) + " to " +
                                                              std::to_string(pages.dialog.GetToPage())
                                                        : "all";
    EXPECT_EQ(range + ", " + pages.dialog.GetOutputFile().ToUtf8(), each.result);
  }
  EXPECT_EQ(Lines(user.Seen().begin(), user.Seen().begin() + 5),
            (Lines{"dialog 65284", "read 1139: PDF Printer", "read 1022: /printer/out.pdf", "read 1152: 1",
                   "read 1153: 5"}));
}

TEST_F(PrintWindowsTest, ARangeOutsideThePagesOrAMissingFileIsRefusedAndTheDialogStaysOpen) {
  struct Case {
    const wchar_t* from;
    const wchar_t* to;
    bool toFile;
    std::string message;
  };
  const std::string range =
      "message box warning: The page range is not valid.\\nEnter page numbers from 1 to 5, the first no greater than "
      "the last.";
  for (const Case& each : std::vector<Case>{{L"0", L"2", false, range},
                                            {L"4", L"6", false, range},
                                            {L"3", L"2", false, range},
                                            {L"", L"2", false, range},
                                            {L"x", L"2", false, range},
                                            {L"1", L"5", true, "message box warning: Enter the name of the file to "
                                                               "print to."}}) {
    FivePages pages;
    auto& script = user.InDialog(kPrintDialogWindow).Type(Dialog::kFromPage, each.from).Type(Dialog::kToPage, each.to);
    if (each.toFile) script.Check(Dialog::kPrintToFile, true).Type(Dialog::kOutputFile, L"");
    script.Click(IDOK).Click(IDCANCEL);
    user.AnswerMessageBox(IDOK);
    EXPECT_FALSE(RunPrintDialogWindow(pages.dialog));
    EXPECT_EQ(user.Seen().back(), each.message);
    EXPECT_FALSE(pages.dialog.PrintRange());
  }
}

TEST_F(PrintWindowsTest, TheFileFieldTakesTypingOnlyWhenPrintingToAFile) {
  FivePages pages;
  user.InDialog(kPrintDialogWindow).Type(Dialog::kOutputFile, L"x.pdf");
  EXPECT_THROW(RunPrintDialogWindow(pages.dialog), UserScriptError);
  user.TakeUnused();
}

// Three pages, each with its number in large letters at the top left.
class ThreePageView : public CView {
 public:
  void OnDraw(CDC*) override {}

 protected:
  void OnBeginPrinting(CDC*, CPrintInfo* info) override { info->SetMaxPage(3); }
  void OnPrint(CDC* dc, CPrintInfo* info) override {
    dc->FillSolidRect({0, 0, 200, 100 * static_cast<int>(info->m_nCurPage)}, RGB(0, 0, 128));
    dc->TextOut(0, 320, CString(L"Page ") + CString(std::to_wstring(info->m_nCurPage)));
  }
};

// The page shown, the zoom and the buttons that are enabled.
std::string State(CDialog& window) {
  auto& preview = static_cast<Preview&>(window);
  std::string line = "page " + std::to_string(preview.ShownPage() + 1) + " zoom " + std::to_string(preview.Zoom());
  for (const auto& [id, name] : std::vector<std::pair<int, const char*>>{
           {Preview::kNextPage, "next"}, {Preview::kPrevPage, "prev"}, {Preview::kZoomIn, "in"},
           {Preview::kZoomOut, "out"}}) {
    if (IsWindowEnabled(GetDlgItem(window.m_hWnd, id))) line += std::string(" ") + name;
  }
  return line;
}

TEST_F(PrintWindowsTest, ThePreviewTurnsPagesAndZoomsByButtonsAndKeysAndEndsOnClose) {
  ThreePageView view;
  testsupport::ScriptedWindowsUser windows(user);
  Lines states;
  auto note = [&states](CDialog& window) { states.push_back(State(window)); };
  auto& script = user.InDialog(kPrintPreviewWindow);
  Do(script, "note", note).Read(Preview::kPageNumber).Click(Preview::kNextPage);
  Do(script, "note", note);
  Press(script, VK_NEXT);
  Do(script, "note", note).Read(Preview::kPageNumber);
  Press(script, VK_NEXT);
  Press(script, VK_PRIOR);
  Do(script, "note", note).Click(Preview::kZoomIn);
  Do(script, "note", note).Click(Preview::kZoomIn);
  Do(script, "note", note).Click(Preview::kZoomOut).Click(Preview::kPrevPage);
  Do(script, "note", note).Click(Preview::kClose);
  view.OnFilePrintPreview();
  EXPECT_EQ(states, (Lines{"page 1 zoom 0 next in", "page 2 zoom 0 next prev in", "page 3 zoom 0 prev in",
                           "page 2 zoom 0 next prev in", "page 2 zoom 1 next prev in out",
                           "page 2 zoom 2 next prev out", "page 1 zoom 1 next in out"}));
  EXPECT_EQ(user.Seen(), (Lines{"dialog 65285", "read 58128: Page 1", "read 58128: Page 3"}));
}

TEST_F(PrintWindowsTest, EscapeClosesThePreviewAndThePageShowsOnPaperInTheGreyWholeOrLarger) {
  ThreePageView view;
  testsupport::TempFolder folder;
  const std::string fit = (folder.Path() / "fit.png").string();
  const std::string zoomed = (folder.Path() / "zoomed.png").string();
  auto& script = user.InDialog(kPrintPreviewWindow).Render(fit).Click(Preview::kZoomIn).Render(zoomed);
  Press(script, VK_ESCAPE);
  CPrintInfo info;
  info.SetMaxPage(3);
  CPrintPreview preview(view, info);
  RunPrintPreviewWindow(preview);
  // The grey around, the white paper, the blue band at the top left of the page.
  const testsupport::PngPixels whole(fit);
  EXPECT_EQ(whole.At(10, 60), classic::kShadow);
  EXPECT_EQ(whole.At(225, 600), classic::kWindow);
  EXPECT_EQ(whole.At(90, 100), RGB(0, 0, 128));
  EXPECT_EQ(whole.At(160, 120), RGB(0, 0, 128));
  // At full size the band's right end has moved out of that place, and the paper fills the width.
  const testsupport::PngPixels larger(zoomed);
  EXPECT_EQ(larger.At(90, 100), RGB(0, 0, 128));
  EXPECT_EQ(larger.At(160, 120), classic::kWindow);
  EXPECT_EQ(larger.At(10, 300), classic::kWindow);
}

}  // namespace
