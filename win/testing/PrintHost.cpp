#include "PrintHost.h"

#include "brenmoor/win/CListCtrlSorter.h"
#include "brenmoor/win/CListPrintDoc.h"
#include "brenmoor/win/CListPrintView.h"
#include "brenmoor/win/CPrintFrame.h"
#include "HostResources.h"

namespace {

// A click on a column's heading sorts the list on that column, and a second
// click on it reverses the order, as a host does.
class SortingListFrame : public CMDIChildWnd {
 public:
  explicit SortingListFrame(CListCtrl& list) : list_(list) {}

 protected:
  LRESULT OnNotify(WPARAM, LPARAM lParam) {
    const auto* click = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (click->hdr.code == LVN_COLUMNCLICK) sorter_.SortListCtrl(list_, click->iSubItem);
    return 0;
  }

 private:
  CListCtrl& list_;
  CListCtrlSorter sorter_;

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SortingListFrame, CMDIChildWnd)
  MessageEntry<&SortingListFrame::OnNotify>(WM_NOTIFY),
END_MESSAGE_MAP()

// The main frame's File menu.
class PrintHostFrame : public CMDIFrameWnd {
 public:
  explicit PrintHostFrame(PrintHost& host) : host_(host) {}

 protected:
  void OnFilePrint() { host_.PrintCommand(ID_FILE_PRINT); }
  void OnFilePrintPreview() { host_.PrintCommand(ID_FILE_PRINT_PREVIEW); }
  void OnExit() { PostMessage(WM_CLOSE); }

 private:
  PrintHost& host_;

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PrintHostFrame, CMDIFrameWnd)
  CommandEntry<&PrintHostFrame::OnFilePrint>(ID_FILE_PRINT),
  CommandEntry<&PrintHostFrame::OnFilePrintPreview>(ID_FILE_PRINT_PREVIEW),
  CommandEntry<&PrintHostFrame::OnExit>(kExitCommand),
END_MESSAGE_MAP()

}  // namespace

PrintHost::PrintHost(CWinApp& app)
    : app_(app),
      template_(new CMultiDocTemplate(kListPrintTemplate, RUNTIME_CLASS(CListPrintDoc), RUNTIME_CLASS(CListPrintFrame),
                                      RUNTIME_CLASS(CListPrintView))),
      main_(new PrintHostFrame(*this)),
      listFrame_(new SortingListFrame(list_)) {
  RegisterPrintResources(app);
  app.AddDocTemplate(template_);
  main_->Create(nullptr, app.m_strAppName, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 1024, 768});
  CMenu menu;
  menu.LoadMenu(kPrintHostFrame);
  main_->SetMenu(&menu);
  menu.Detach();
  main_->LoadAccelTable(kPrintHostFrame);
  app.m_pMainWnd = main_;
  main_->ActivateFrame();
  listFrame_->Create(nullptr, L"Links", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, main_);
  CRect client;
  listFrame_->GetClientRect(&client);
  list_.Create(kListViewClass, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, client, listFrame_,
               static_cast<UINT>(kListId));
  listFrame_->ActivateFrame();
  list_.SetFocus();
}

PrintHost::~PrintHost() {
  list_.DestroyWindow();
  if (app_.m_pMainWnd == main_) main_->DestroyWindow();
}

CFrameWnd* PrintHost::OpenPrintFrame(CListPrintDoc* document) {
  template_->AddDocument(document);
  CFrameWnd* frame = template_->CreateNewFrame(document, nullptr);
  if (frame == nullptr) {
    template_->RemoveDocument(document);
    delete document;
    return nullptr;
  }
  template_->InitialUpdateFrame(frame, document, true);
  return frame;
}

void PrintHost::PrintCommand(UINT command) {
  if (makeDocument_) OpenPrintFrame(makeDocument_(command));
}

void PrintHost::Print(CListPrintDoc* document) {
  OpenPrintFrame(document);
  PumpPostedMessages();
}
