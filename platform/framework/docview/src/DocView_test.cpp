#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "brenmoor/docview/CDocTemplate.h"
#include "brenmoor/docview/CDocument.h"
#include "brenmoor/docview/CMDIFrameWnd.h"
#include "brenmoor/docview/CView.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"

namespace {

using Lines = std::vector<std::string>;
Lines calls;

constexpr UINT kTemplateId = 300;
constexpr UINT kViewCommand = 32800;
constexpr UINT kDocumentCommand = 32801;

std::string Title(const CWnd* window) { return window->GetWindowText().ToUtf8(); }

class TestDoc : public CDocument {
  DECLARE_DYNCREATE(TestDoc)
 public:
  TestDoc() { calls.push_back("document made"); }
  ~TestDoc() override { calls.push_back("document " + GetTitle().ToUtf8() + " deleted"); }
  BOOL OnNewDocument() override {
    calls.push_back("OnNewDocument");
    return CDocument::OnNewDocument();
  }
  void OnDocumentCommand() { calls.push_back("document command"); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestDoc, CDocument)
BEGIN_MESSAGE_MAP(TestDoc, CDocument)
  CommandEntry<&TestDoc::OnDocumentCommand>(kDocumentCommand),
END_MESSAGE_MAP()

class TestView : public CView {
  DECLARE_DYNCREATE(TestView)
 public:
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override {
    calls.push_back("OnInitialUpdate of " + GetDocument()->GetTitle().ToUtf8());
    CView::OnInitialUpdate();
  }
  void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override {
    calls.push_back(std::string(activate ? "view activated" : "view deactivated"));
    CView::OnActivateView(activate, activated, deactivated);
  }
  void OnViewCommand() { calls.push_back("view command"); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestView, CView)
BEGIN_MESSAGE_MAP(TestView, CView)
  CommandEntry<&TestView::OnViewCommand>(kViewCommand),
END_MESSAGE_MAP()

class TestChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(TestChild)
 public:
  void ActivateFrame(int showCommand) override {
    calls.push_back("ActivateFrame " + std::to_string(showCommand));
    CMDIChildWnd::ActivateFrame(showCommand);
  }
};
IMPLEMENT_DYNCREATE(TestChild, CMDIChildWnd)

class DocViewTest : public testing::Test {
 protected:
  DocViewTest() {
    app.RegisterString(kTemplateId, L"\nReport\nReport\nReports (*.rpt)\n.rpt\nHost.Report\nHost Report");
    docTemplate = new CMultiDocTemplate(kTemplateId, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestChild),
                                        RUNTIME_CLASS(TestView));
    app.AddDocTemplate(docTemplate);
    main = new CMDIFrameWnd;
    main->Create(nullptr, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    app.m_pMainWnd = main;
    calls.clear();
  }
  ~DocViewTest() override {
    if (IsWindow(mainHandle())) main->DestroyWindow();
    calls.clear();
  }
  HWND mainHandle() const { return app.m_pMainWnd != nullptr ? app.m_pMainWnd->m_hWnd : nullptr; }
  CView* FirstView(CDocument* document) {
    POSITION position = document->GetFirstViewPosition();
    return position != nullptr ? document->GetNextView(position) : nullptr;
  }
  Lines Titles() {
    Lines titles;
    for (POSITION position = docTemplate->GetFirstDocPosition(); position != nullptr;) {
      titles.push_back(docTemplate->GetNextDoc(position)->GetTitle().ToUtf8());
    }
    return titles;
  }

  CWinApp app{L"Host"};
  ScriptedUser user;
  CMultiDocTemplate* docTemplate;
  CMDIFrameWnd* main;
};

TEST_F(DocViewTest, DocumentStringsAreTheFieldsOfTheHostString) {
  const std::vector<std::pair<CDocTemplate::DocStringIndex, std::string>> expected = {
      {CDocTemplate::windowTitle, ""},         {CDocTemplate::docName, "Report"},
      {CDocTemplate::fileNewName, "Report"},   {CDocTemplate::filterName, "Reports (*.rpt)"},
      {CDocTemplate::filterExt, ".rpt"},       {CDocTemplate::regFileTypeId, "Host.Report"},
      {CDocTemplate::regFileTypeName, "Host Report"}};
  for (const auto& [index, text] : expected) {
    CString field = L"old";
    EXPECT_TRUE(docTemplate->GetDocString(field, index));
    EXPECT_EQ(field.ToUtf8(), text) << index;
  }
  CMultiDocTemplate shortStrings(kTemplateId + 1, nullptr, nullptr, nullptr);
  app.RegisterString(kTemplateId + 1, L"Title\nName");
  shortStrings.LoadTemplate();
  CString field = L"old";
  EXPECT_FALSE(shortStrings.GetDocString(field, CDocTemplate::filterName));
  EXPECT_EQ(field.ToUtf8(), "");
}

TEST_F(DocViewTest, NewDocumentsFollowTheFrameworksOrderOfCalls) {
  CDocument* document = docTemplate->OpenDocumentFile(nullptr);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(calls, (Lines{"document made", "OnNewDocument", "OnInitialUpdate of Report1", "ActivateFrame -1",
                          "view activated", "view activated"}));
  CView* view = FirstView(document);
  CFrameWnd* frame = view->GetParentFrame();
  EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(TestView)));
  EXPECT_EQ(frame->GetActiveView(), view);
  EXPECT_EQ(frame->GetActiveDocument(), document);
  EXPECT_EQ(main->MDIGetActive(), frame);
  EXPECT_EQ(main->GetActiveFrame(), frame);
  EXPECT_EQ(Title(frame), "Report1");
  EXPECT_EQ(CWnd::GetFocus(), view);
  EXPECT_TRUE(frame->IsWindowVisible());
  EXPECT_EQ(document->GetDocTemplate(), docTemplate);

  docTemplate->OpenDocumentFile(nullptr);
  EXPECT_EQ(Titles(), (Lines{"Report1", "Report2"}));
}

TEST_F(DocViewTest, ActivationMovesBetweenChildrenAndComesBackWhenTheActiveOneCloses) {
  CDocument* first = docTemplate->OpenDocumentFile(nullptr);
  CDocument* second = docTemplate->OpenDocumentFile(nullptr);
  CFrameWnd* firstFrame = FirstView(first)->GetParentFrame();
  CFrameWnd* secondFrame = FirstView(second)->GetParentFrame();
  EXPECT_EQ(main->MDIGetActive(), secondFrame);

  calls.clear();
  main->MDIActivate(firstFrame);
  EXPECT_EQ(calls, (Lines{"view deactivated", "view activated"}));
  EXPECT_EQ(main->MDIGetActive(), firstFrame);
  EXPECT_EQ(CWnd::GetFocus(), FirstView(first));

  main->MDIActivate(secondFrame);
  calls.clear();
  secondFrame->PostMessage(WM_CLOSE);
  EXPECT_EQ(main->MDIGetActive(), secondFrame);  // nothing happens before the queue is pumped
  PumpPostedMessages();
  EXPECT_EQ(calls, (Lines{"view deactivated", "view activated", "document Report2 deleted"}));
  EXPECT_EQ(main->MDIGetActive(), firstFrame);
  EXPECT_EQ(Titles(), (Lines{"Report1"}));
  EXPECT_EQ(CWnd::GetFocus(), FirstView(first));
}

TEST_F(DocViewTest, ClosingAModifiedDocumentAsksToSaveIt) {
  CDocument* document = docTemplate->OpenDocumentFile(nullptr);
  CFrameWnd* frame = FirstView(document)->GetParentFrame();
  document->SetModifiedFlag();
  user.AnswerMessageBox(IDCANCEL);
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(Titles(), (Lines{"Report1"}));
  user.AnswerMessageBox(IDNO);
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(Titles(), Lines{});
  EXPECT_EQ(user.Seen(), (Lines{"message box question yes-no-cancel: Save changes to Report1?",
                                "message box question yes-no-cancel: Save changes to Report1?"}));
  EXPECT_EQ(main->MDIGetActive(), nullptr);
}

TEST_F(DocViewTest, CommandsPostedToTheViewReachTheViewThenItsDocument) {
  CDocument* document = docTemplate->OpenDocumentFile(nullptr);
  CView* view = FirstView(document);
  calls.clear();
  view->PostMessage(WM_COMMAND, kViewCommand);
  view->PostMessage(WM_COMMAND, kDocumentCommand);
  EXPECT_EQ(calls, Lines{});
  PumpPostedMessages();
  EXPECT_EQ(calls, (Lines{"view command", "document command"}));
  calls.clear();
  main->SendMessage(WM_COMMAND, kViewCommand);  // the main frame hands it to the active child's view
  EXPECT_EQ(calls, (Lines{"view command"}));
}

TEST_F(DocViewTest, ADocumentThatCannotBeReadLeavesNoFrameBehind) {
  const std::size_t children = GetChildren(main->m_hWndMDIClient).size();
  EXPECT_EQ(docTemplate->OpenDocumentFile(L"/nonexistent/folder/x.rpt"), nullptr);
  EXPECT_EQ(Titles(), Lines{});
  EXPECT_EQ(GetChildren(main->m_hWndMDIClient).size(), children);
  EXPECT_EQ(calls, (Lines{"document made", "document  deleted"}));
}

TEST_F(DocViewTest, AFrameMadeWithoutShowingItStaysHiddenAndInactive) {
  auto* document = static_cast<TestDoc*>(RUNTIME_CLASS(TestDoc)->CreateObject());
  docTemplate->AddDocument(document);
  CFrameWnd* frame = docTemplate->CreateNewFrame(document, nullptr);
  ASSERT_NE(frame, nullptr);
  docTemplate->InitialUpdateFrame(frame, document, false);
  EXPECT_FALSE(frame->IsWindowVisible());
  EXPECT_EQ(main->MDIGetActive(), nullptr);
  EXPECT_EQ(frame->GetActiveView(), FirstView(document));
  EXPECT_EQ(calls, (Lines{"document made"}));
}

TEST_F(DocViewTest, AChildMadeAsAnyFrameIsMadeInTheMainFramesClient) {
  auto* child = new CMDIChildWnd;
  CFrameWnd& frame = *child;
  ASSERT_TRUE(frame.Create(nullptr, L"Links", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, main,
                           nullptr, 0, nullptr));
  EXPECT_EQ(child->GetParent()->m_hWnd, main->m_hWndMDIClient);
  EXPECT_EQ(child->GetMDIFrame(), main);
  EXPECT_EQ(Title(child), "Links");
}

TEST_F(DocViewTest, DynamicCreationFindsTheClassesByName) {
  for (const char* name : {"TestDoc", "TestView", "TestChild", "CMDIChildWnd", "CFrameWnd"}) {
    CObject* made = CRuntimeClass::CreateObject(name);
    ASSERT_NE(made, nullptr) << name;
    EXPECT_STREQ(made->GetRuntimeClass()->m_lpszClassName, name);
    delete made;
  }
  EXPECT_EQ(CRuntimeClass::CreateObject("CDocument"), nullptr);
}

TEST_F(DocViewTest, ForegroundWindowAndEnablingTheMainWindow) {
  main->ActivateFrame();
  EXPECT_EQ(CWnd::GetForegroundWindow(), main);
  EXPECT_EQ(CWnd::GetActiveWindow(), main);
  main->EnableWindow(false);
  EXPECT_FALSE(main->IsWindowEnabled());
  main->EnableWindow(true);
  EXPECT_TRUE(main->IsWindowEnabled());
  main->DestroyWindow();
  EXPECT_EQ(CWnd::GetForegroundWindow(), nullptr);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
}

}  // namespace
