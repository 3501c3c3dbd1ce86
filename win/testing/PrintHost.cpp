#include "PrintHost.h"

#include "brenmoor/win/CListPrintDoc.h"
#include "brenmoor/win/CListPrintView.h"
#include "brenmoor/win/CPrintFrame.h"
#include "HostResources.h"

PrintHost::PrintHost(CWinApp& app)
    : app_(app),
      template_(new CMultiDocTemplate(kListPrintTemplate, RUNTIME_CLASS(CListPrintDoc), RUNTIME_CLASS(CListPrintFrame),
                                      RUNTIME_CLASS(CListPrintView))),
      main_(new CMDIFrameWnd),
      listFrame_(new CMDIChildWnd) {
  RegisterPrintResources(app);
  app.AddDocTemplate(template_);
  main_->Create(nullptr, app.m_strAppName, WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 1024, 768});
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

void PrintHost::Print(CListPrintDoc* document) {
  OpenPrintFrame(document);
  PumpPostedMessages();
}
