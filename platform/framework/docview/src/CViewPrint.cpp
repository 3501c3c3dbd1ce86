// The view's part of printing and print preview, in the framework's order of calls.

#include <algorithm>
#include <memory>
#include <string>

#include "brenmoor/docview/CPrintPreview.h"
#include "brenmoor/docview/CPrinterDC.h"
#include "brenmoor/windowing/CUser.h"
#include "brenmoor/docview/CView.h"
#include "brenmoor/ui/CWinThread.h"

namespace {

constexpr UINT kUnknownLastPage = 0xFFFF;

// Disabled while the pages are printed, as behind the printing status window.
class MainWindowDisabled {
 public:
  MainWindowDisabled() : main_(AfxGetMainWnd()) {
    if (main_ != nullptr) main_->EnableWindow(false);
  }
  ~MainWindowDisabled() {
    if (main_ != nullptr && IsWindow(main_->m_hWnd)) main_->EnableWindow(true);
  }
  MainWindowDisabled(const MainWindowDisabled&) = delete;
  MainWindowDisabled& operator=(const MainWindowDisabled&) = delete;

 private:
  CWnd* main_;
};

}  // namespace

void CView::OnPrepareDC(CDC*, CPrintInfo* info) {
  if (info != nullptr) info->m_bContinuePrinting = info->GetMaxPage() != kUnknownLastPage || info->m_nCurPage == 1;
}

BOOL CView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

void CView::OnPrint(CDC* dc, CPrintInfo*) { OnDraw(dc); }

void CView::OnEndPrintPreview(CDC* dc, CPrintInfo* info, CPoint, CPrintPreview*) { OnEndPrinting(dc, info); }

BOOL CView::DoPreparePrinting(CPrintInfo* info) {
  PRINTDLG& pages = info->m_pPD->m_pd;
  pages.nFromPage = static_cast<WORD>(info->GetMinPage());
  pages.nToPage = static_cast<WORD>(info->GetMaxPage());
  if (info->m_bPreview) return true;
  if (!info->m_bDirect && info->m_pPD->DoModal() != IDOK) return false;
  if (!info->m_pPD->PrintRange()) {
    pages.nFromPage = static_cast<WORD>(info->GetMinPage());
    pages.nToPage = static_cast<WORD>(info->GetMaxPage());
  }
  return !info->m_pPD->GetOutputFile().IsEmpty();
}

void CView::OnFilePrint() {
  CPrintInfo info;
  info.m_bDirect = command_ == ID_FILE_PRINT_DIRECT;
  if (!OnPreparePrinting(&info)) return;
  CPrinterDC dc(info.m_pPD->GetOutputFile().ToUtf8(), AfxGetPrinter());
  info.m_rectDraw = dc.PrintableRect();
  OnBeginPrinting(&dc, &info);
  bool written = false;
  {
    MainWindowDisabled printing;
    PrintPages(dc, info);
    written = dc.EndDoc();
  }
  OnEndPrinting(&dc, &info);
  if (!written) AfxMessageBox(L"Failed to start print job.", MB_OK | MB_ICONERROR);
}

void CView::PrintPages(CPrinterDC& dc, CPrintInfo& info) {
  const UINT first = std::clamp(info.GetFromPage(), info.GetMinPage(), info.GetMaxPage());
  const UINT last = std::clamp(info.GetToPage(), info.GetMinPage(), info.GetMaxPage());
  for (info.m_nCurPage = first; info.m_nCurPage <= last; ++info.m_nCurPage) {
    OnPrepareDC(&dc, &info);
    if (!info.m_bContinuePrinting) break;
    dc.StartPage();
    info.m_rectDraw = dc.PrintableRect();
    // Starting a page resets the context, so the view prepares it again.
    OnPrepareDC(&dc, &info);
    OnPrint(&dc, &info);
  }
}

void CView::OnFilePrintPreview() {
  CPrintInfo info;
  info.m_bPreview = true;
  if (!OnPreparePrinting(&info)) return;
  CPreviewDC dc(AfxGetPrinter());
  info.m_rectDraw = dc.PrintableRect();
  OnBeginPrinting(&dc, &info);
  CPrintPreview preview(*this, info);
  AfxGetUser().ViewPrintPreview(preview);
  OnEndPrintPreview(&dc, &info, CPoint(), &preview);
}

int CPrintPreview::WritePages(const std::string& folder) {
  int pages = 0;
  for (UINT page = info_.GetMinPage(); page <= info_.GetMaxPage(); ++page) {
    CPreviewDC dc(AfxGetPrinter());
    info_.m_nCurPage = page;
    view_.OnPrepareDC(&dc, &info_);
    if (!info_.m_bContinuePrinting) break;
    info_.m_rectDraw = dc.PrintableRect();
    view_.OnPrint(&dc, &info_);
    if (!dc.WritePng(folder + "/page-" + std::to_string(page) + ".png")) return -1;
    ++pages;
  }
  return pages;
}
