// Templates, documents, views and MDI children through the window utilities
// and the Plus classes, with the user answering the save prompts.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "brenmoor/win/CDocWithID.h"
#include "brenmoor/win/CMDIChildWndPlus.h"
#include "brenmoor/win/CMultiDocTemplatePlus.h"
#include "brenmoor/docview/CView.h"
#include "brenmoor/app/ScriptedUser.h"
#include "PngPixels.h"
#include "TempFolder.h"
#include "brenmoor/win/WinUtils.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/windowing/WindowPlacement.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::ReadFile;
using testsupport::WriteFile;

constexpr UINT kReports = 300;
constexpr UINT kLogs = 301;
constexpr UINT kAlias = 302;
constexpr UINT kNoName = 303;

class IdDoc : public CDocWithID {
  DECLARE_DYNCREATE(IdDoc)
 public:
  const void* GetID() const override { return id; }
  const void* id = nullptr;
};
IMPLEMENT_DYNCREATE(IdDoc, CDocument)

class PlainView : public CView {
  DECLARE_DYNCREATE(PlainView)
 public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(PlainView, CView)

class FramesTest : public ::testing::Test {
 protected:
  FramesTest() {
    app.SetProfileFile(folder.Path() / "host.ini");
    app.RegisterString(kReports, L"\nReport\nReport\n\n\n\n");
    app.RegisterString(kLogs, L"\nLog\nLog\n\n\n\n");
    app.RegisterString(kAlias, L"Anything\nLog");
    app.RegisterString(kNoName, L"Report");
    app.Register<MenuTemplate>(13, {{MF_STRING, 0, L"&File", {{MF_STRING, 57600, L"&New"}}}});
    app.Register<AcceleratorTemplate>(13, {{0x01, 'N', 57600}});
    reports = new CMultiDocTemplatePlus(kReports, RUNTIME_CLASS(IdDoc), RUNTIME_CLASS(CMDIChildWndPlus),
                                        RUNTIME_CLASS(PlainView));
    logs = new CMultiDocTemplatePlus(kLogs, RUNTIME_CLASS(IdDoc), RUNTIME_CLASS(CMDIChildWndPlus),
                                     RUNTIME_CLASS(PlainView));
    app.AddDocTemplate(reports);
    app.AddDocTemplate(logs);
    main = new CMDIFrameWnd;
    main->Create(nullptr, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    app.m_pMainWnd = main;
  }
  ~FramesTest() override {
    if (IsWindow(main->m_hWnd)) main->DestroyWindow();
  }
  static CView* First(const CDocument* document) {
    POSITION position = document->GetFirstViewPosition();
    return position != nullptr ? document->GetNextView(position) : nullptr;
  }
  static Lines Titles(const CDocTemplate* docTemplate) {
    Lines titles;
    for (POSITION position = docTemplate->GetFirstDocPosition(); position != nullptr;) {
      titles.push_back(docTemplate->GetNextDoc(position)->GetTitle().ToUtf8());
    }
    return titles;
  }

  testsupport::TempFolder folder;
  CWinApp app{L"Host"};
  ScriptedUser user;
  CMultiDocTemplatePlus* reports;
  CMultiDocTemplatePlus* logs;
  CMDIFrameWnd* main;
};

TEST_F(FramesTest, TemplatesAreFoundByTheirDocumentName) {
  EXPECT_EQ(WinUtils::FindDocTemplate(kReports), reports);
  EXPECT_EQ(WinUtils::FindDocTemplate(kAlias), logs);
  EXPECT_EQ(WinUtils::FindDocTemplate(kNoName), nullptr);
  EXPECT_EQ(WinUtils::FindDocTemplate(999), nullptr);
  EXPECT_EQ(WinUtils::FindView(kReports), nullptr);
}

TEST_F(FramesTest, TemplatesShareTheHostsMenuAndKeys) {
  ASSERT_NE(reports->m_hMenuShared, nullptr);
  EXPECT_NE(reports->m_hMenuShared, logs->m_hMenuShared);
  CMenu* file = CMenu::FromHandle(reports->m_hMenuShared)->GetSubMenu(0);
  EXPECT_EQ(file->GetMenuItemID(0), 57600u);
  EXPECT_EQ(CopyAcceleratorTableW(logs->m_hAccelTable, nullptr, 0), 1);
}

TEST_F(FramesTest, DocumentsAreFoundByTitleAndIdentifier) {
  int first = 0;
  int second = 0;
  CView* view = WinUtils::CreateView(kReports, true);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(IsZoomed(view->GetParentFrame()->m_hWnd));
  static_cast<IdDoc*>(view->GetDocument())->id = &first;
  auto* other = static_cast<IdDoc*>(WinUtils::CreateView(kReports, true)->GetDocument());
  other->id = &second;
  EXPECT_EQ(Titles(reports), (Lines{"Report1", "Report2"}));
  EXPECT_EQ(WinUtils::FindView(kReports), view);
  EXPECT_EQ(WinUtils::FindDoc(kReports, L"Report2"), other);
  EXPECT_EQ(WinUtils::FindDoc(kReports, L"report2"), nullptr);
  EXPECT_EQ(WinUtils::FindDocWithID(kReports, &second), other);
  EXPECT_EQ(WinUtils::FindDocWithID(kReports, &first), view->GetDocument());
  EXPECT_EQ(WinUtils::FindDocWithID(kLogs, &first), nullptr);
  EXPECT_EQ(WinUtils::FindDocWithID(kReports, nullptr), nullptr);
}

TEST_F(FramesTest, ANewViewOnADocumentOfAnotherTemplateMovesItThere) {
  CDocument* document = WinUtils::CreateView(kReports, true)->GetDocument();
  EXPECT_EQ(WinUtils::CreateNewView(kReports, nullptr), nullptr);
  EXPECT_EQ(WinUtils::CreateNewView(999, document), nullptr);
  CView* same = WinUtils::CreateNewView(kReports, document);
  ASSERT_NE(same, nullptr);
  EXPECT_EQ(Titles(reports), (Lines{"Report1"}));  // listed once
  CView* other = WinUtils::CreateNewView(kLogs, document);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->GetDocument(), document);
  EXPECT_EQ(Titles(reports), Lines{});
  EXPECT_EQ(Titles(logs), (Lines{"Report1"}));
  EXPECT_EQ(CWinApp::WaitCursorDepth(), 0);
}

TEST_F(FramesTest, ActivatingADocumentRestoresItsMinimisedFrame) {
  CDocument* first = WinUtils::CreateView(kReports, true)->GetDocument();
  CDocument* second = WinUtils::CreateView(kReports, true)->GetDocument();
  CFrameWnd* frame = First(first)->GetParentFrame();
  frame->ShowWindow(SW_MINIMIZE);
  EXPECT_TRUE(WinUtils::ActivateDoc(first));
  EXPECT_FALSE(IsIconic(frame->m_hWnd));
  EXPECT_EQ(GetChildren(main->m_hWndMDIClient).front(), frame->m_hWnd);
  EXPECT_FALSE(WinUtils::ActivateDoc(nullptr));
  IdDoc alone;
  EXPECT_FALSE(WinUtils::ActivateDoc(&alone));
  EXPECT_TRUE(WinUtils::ActivateDoc(second));
}

TEST_F(FramesTest, ClosingAllStopsAtTheFirstCancelledSavePrompt) {
  WinUtils::CreateView(kReports, true)->GetDocument()->SetModifiedFlag();
  WinUtils::CreateView(kReports, true);
  WinUtils::CreateView(kLogs, true)->GetDocument()->SetModifiedFlag();
  WinUtils::CreateView(kLogs, true);
  user.AnswerMessageBox(IDNO);
  user.AnswerMessageBox(IDCANCEL);
  EXPECT_FALSE(WinUtils::CloseAllDocuments());
  EXPECT_EQ(Titles(reports), Lines{});
  EXPECT_EQ(Titles(logs), (Lines{"Log1", "Log2"}));
  EXPECT_EQ(user.Seen(), (Lines{"message box question yes-no-cancel: Save changes to Report1?",
                                "message box question yes-no-cancel: Save changes to Log1?"}));
  user.AnswerMessageBox(IDNO);
  EXPECT_TRUE(WinUtils::CloseAllDocuments());
  EXPECT_EQ(Titles(logs), Lines{});
  EXPECT_TRUE(user.Unused().empty());
}

TEST_F(FramesTest, ViewSizeGrowsTheFrameUnlessItIsMaximised) {
  CView* view = WinUtils::CreateView(kReports, true);
  CFrameWnd* frame = view->GetParentFrame();
  CSize size{300, 200};
  WinUtils::SetViewSize(view, size);
  EXPECT_EQ(size, CSize(300, 200));  // maximised: nothing happens
  frame->ShowWindow(SW_RESTORE);
  const CRect before = GetWindowRect(frame->m_hWnd);
  WinUtils::SetViewSize(view, size);
  EXPECT_EQ(size, CSize(312, 231));
  const CRect after = GetWindowRect(frame->m_hWnd);
  EXPECT_EQ(after, CRect(before.left, before.top, before.left + 312, before.top + 231));

  WinUtils::PaintDialogFrame(view);
  CRect client;
  view->GetClientRect(&client);
  ASSERT_EQ(client, CRect(0, 0, 312, 231));
  // Two grey rectangles from the corner, 316 by 235 and one in: the window
  // shows their top and left edges, the rest lies beyond it.
  testsupport::TempFolder shots;
  const auto png = shots.Path() / "view.png";
  ASSERT_TRUE(RenderWindowToPng(view->m_hWnd, png.string()));
  const std::uint32_t grey = RGB(192, 192, 192);
  const testsupport::PngPixels shown(png);
  for (const CPoint at : {CPoint(0, 0), CPoint(311, 0), CPoint(0, 230), CPoint(1, 1), CPoint(311, 1), CPoint(1, 230)}) {
    EXPECT_EQ(shown.At(at.x, at.y), grey) << at.x << "," << at.y;
  }
}

TEST_F(FramesTest, TheLastChildClosedDecidesWhetherTheNextOpensMaximised) {
  const auto placement = [this] { return app.GetProfileInt(L"SYSTEM", L"LastMdiPlacement", 9); };
  CFrameWnd* first = First(reports->OpenDocumentFile(nullptr))->GetParentFrame();
  EXPECT_FALSE(IsZoomed(first->m_hWnd));  // nothing stored: as the host makes it
  first->ShowWindow(SW_SHOWMAXIMIZED);
  first->SendMessage(WM_CLOSE);
  EXPECT_EQ(placement(), 3u);
  EXPECT_NE(ReadFile(folder.Path() / "host.ini").find("[SYSTEM]\r\nLastMdiPlacement=3\r\n"), std::string::npos);

  CFrameWnd* second = First(reports->OpenDocumentFile(nullptr))->GetParentFrame();
  EXPECT_TRUE(IsZoomed(second->m_hWnd));
  second->ShowWindow(SW_RESTORE);
  CFrameWnd* third = First(reports->OpenDocumentFile(nullptr))->GetParentFrame();
  EXPECT_FALSE(IsZoomed(third->m_hWnd));  // another child was active: the profile is not read
  third->SendMessage(WM_COMMAND, CMDIChildWndPlus::kCloseCommand);
  EXPECT_TRUE(IsWindow(third->m_hWnd));  // the close is posted
  PumpPostedMessages();
  EXPECT_EQ(placement(), 1u);
}

}  // namespace
