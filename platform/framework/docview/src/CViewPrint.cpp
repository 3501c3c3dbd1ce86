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

// Where the pages go: the printer's document or the preview's pictures.
class PageOutput {
 public:
  virtual ~PageOutput() = default;
  // The context the page is prepared and drawn with.
  virtual CDC& Context(UINT page) = 0;
  // Starts the page; its printable area.
  virtual CRect StartPage() = 0;
  virtual bool StartingResetsContext() const = 0;
  virtual void EndPage() = 0;
};

namespace {

class PrinterPages : public PageOutput {
 public:
  explicit PrinterPages(CPrinterDC& dc) : dc_(dc) {}
  CDC& Context(UINT) override { return dc_; }
  CRect StartPage() override {
    dc_.StartPage();
    return dc_.PrintableRect();
  }
  bool StartingResetsContext() const override { return true; }
  void EndPage() override {}

 private:
  CPrinterDC& dc_;
};

// Each page drawn onto a picture of its own, kept once the page is done.
class PreviewPages : public PageOutput {
 public:
  CDC& Context(UINT) override {
    drawing_ = std::make_unique<CPreviewDC>(AfxGetPrinter());
    return *drawing_;
  }
  CRect StartPage() override { return drawing_->PrintableRect(); }
  bool StartingResetsContext() const override { return false; }
  void EndPage() override { pages_.push_back(std::move(drawing_)); }
  std::vector<std::unique_ptr<CPreviewDC>> TakePages() { return std::move(pages_); }

 private:
  std::unique_ptr<CPreviewDC> drawing_;
  std::vector<std::unique_ptr<CPreviewDC>> pages_;
};

}  // namespace

void CView::PrintPages(PageOutput& output, CPrintInfo& info, UINT first, UINT last) {
  for (info.m_nCurPage = first; info.m_nCurPage <= last; ++info.m_nCurPage) {
    CDC& dc = output.Context(info.m_nCurPage);
    OnPrepareDC(&dc, &info);
    if (!info.m_bContinuePrinting) break;
    info.m_rectDraw = output.StartPage();
    if (output.StartingResetsContext()) OnPrepareDC(&dc, &info);
    OnPrint(&dc, &info);
    output.EndPage();
  }
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
    PrinterPages pages(dc);
    PrintPages(pages, info, std::clamp(info.GetFromPage(), info.GetMinPage(), info.GetMaxPage()),
               std::clamp(info.GetToPage(), info.GetMinPage(), info.GetMaxPage()));
    written = dc.EndDoc();
  }
  OnEndPrinting(&dc, &info);
  if (!written) AfxMessageBox(L"Failed to start print job.", MB_OK | MB_ICONERROR);
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

std::vector<std::unique_ptr<CPreviewDC>> CPrintPreview::DrawPages() {
  PreviewPages pages;
  view_.PrintPages(pages, info_, info_.GetMinPage(), info_.GetMaxPage());
  return pages.TakePages();
}

unsigned CPrintPreview::FirstPage() const { return info_.GetMinPage(); }

int CPrintPreview::WritePages(const std::string& folder) {
  const std::vector<std::unique_ptr<CPreviewDC>> pages = DrawPages();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (!pages[i]->WritePng(folder + "/page-" + std::to_string(FirstPage() + i) + ".png")) return -1;
  }
  return static_cast<int>(pages.size());
}
