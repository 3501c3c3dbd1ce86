#include "brenmoor/win/CListPrintView.h"

#include <cwchar>
#include <vector>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/win/CPrintFrame.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/utils/Utils.h"

IMPLEMENT_DYNCREATE(CListPrintView, CGXGridView)

namespace {

// Host strings around the parts of the page heading.
constexpr UINT kBeforeSystemName = 619;
constexpr UINT kBeforeFromDate = 1811;
constexpr UINT kBeforeToDate = 1812;

// Headings are read with room for 255 characters and the terminator.
constexpr int kHeadingBuffer = 256;
// Fitted widths leave some room: the double nearest 1.15, truncated after.
constexpr double kWidthFactor = 1.15;

constexpr int kPrintMarginTop = 72;
constexpr int kPrintMarginLeft = 36;
constexpr int kPrintMarginBottom = 72;
constexpr int kPrintMarginRight = 36;

CString HostString(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

LOGFONT HeadingFont() {
  LOGFONT font;
  font.lfHeight = -11;
  font.lfWeight = FW_BOLD;
  std::wcscpy(font.lfFaceName, L"MS Sans Serif");
  return font;
}

}  // namespace

BEGIN_MESSAGE_MAP(CListPrintView, CGXGridView)
  CommandEntry<&CListPrintView::OnFilePrint>(ID_FILE_PRINT),
  CommandEntry<&CListPrintView::OnFilePrint>(ID_FILE_PRINT_DIRECT),
  CommandEntry<&CListPrintView::OnFilePrintPreview>(ID_FILE_PRINT_PREVIEW),
END_MESSAGE_MAP()

CListPrintView::CListPrintView() = default;

CListPrintDoc* CListPrintView::GetDocument() const { return DYNAMIC_DOWNCAST(CListPrintDoc, m_pDocument); }

BOOL CListPrintView::PreCreateWindow(CREATESTRUCT& creating) { return CView::PreCreateWindow(creating); }

void CListPrintView::OnDraw(CDC* dc) { CGXGridView::OnDraw(dc); }

void CListPrintView::ShowScrollBar(UINT bar, BOOL show) { CWnd::ShowScrollBar(bar, show); }

void CListPrintView::OnInitialUpdate() {
  CGXGridView::OnInitialUpdate();
  GetParam()->EnableUndo(false);
  CListPrintDoc* document = GetDocument();
  if (document != nullptr && document->GetListCtrl() != nullptr) {
    CopyList(*document->GetListCtrl());
    FitColumns();
  }
  GetParam()->GetProperties()->SetMargins(kPrintMarginTop, kPrintMarginLeft, kPrintMarginBottom, kPrintMarginRight);
  GetParam()->EnableUndo(true);
  if (document != nullptr) PostMessage(WM_COMMAND, document->GetCommandId());
}

void CListPrintView::CopyList(CListCtrl& list) {
  HideCols(0, 0, true, nullptr, GX_UPDATENOW);
  const int cols = std::max(list.GetHeaderCtrl() != nullptr ? list.GetHeaderCtrl()->GetItemCount() : 0, 0);
  const int rows = std::max(list.GetItemCount(), 0);
  SetRowCount(static_cast<ROWCOL>(rows), GX_UPDATENOW);
  SetColCount(static_cast<ROWCOL>(cols), GX_UPDATENOW);
  std::vector<int> order(static_cast<std::size_t>(cols));
  list.GetColumnOrderArray(order.data(), cols);
  for (int i = 0; i < cols; ++i) {
    wchar_t heading[kHeadingBuffer] = {};
    LVCOLUMN column;
    column.mask = LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = kHeadingBuffer;
    list.GetColumn(order[static_cast<std::size_t>(i)], &column);
    SetValueRange(CGXRange(0, static_cast<ROWCOL>(i) + 1), heading, gxOverride, 0, GX_UPDATENOW);
  }
  for (int r = 0; r < rows; ++r) {
    for (int i = 0; i < cols; ++i) {
      SetValueRange(CGXRange(static_cast<ROWCOL>(r) + 1, static_cast<ROWCOL>(i) + 1),
                    list.GetItemText(r, order[static_cast<std::size_t>(i)]), gxOverride, 0, GX_UPDATENOW);
    }
  }
}

void CListPrintView::FitColumns() {
  for (ROWCOL col = 1; col <= GetColCount(); ++col) {
    ResizeColWidthsToFit(CGXRange(0, col, GetRowCount(), col), true, GX_UPDATENOW);
    const int fitted = GetColWidth(col);
    // The product is taken exactly (in extended precision) before it is
    // truncated: 20 times the double below 1.15 lies below 23 and gives 22.
    const long double widened = static_cast<long double>(fitted) * static_cast<long double>(kWidthFactor);
    SetColWidth(col, col, static_cast<int>(widened), nullptr, GX_UPDATENOW);
  }
}

CPrintFrame* CListPrintView::ParentPrintFrame() const { return DYNAMIC_DOWNCAST(CPrintFrame, GetParent()); }

BOOL CListPrintView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

void CListPrintView::OnBeginPrinting(CDC* dc, CPrintInfo* info) {
  CWnd* main = AfxGetMainWnd();
  MainWndEnabled = main != nullptr && main->IsWindowEnabled();
  ForegroundWnd = ::GetForegroundWindow();
  CGXGridView::OnBeginPrinting(dc, info);
}

void CListPrintView::OnPrint(CDC* dc, CPrintInfo* info) {
  DrawPageHeading(*dc, *info);
  CGXGridView::OnPrint(dc, info);
}

void CListPrintView::OnEndPrinting(CDC* dc, CPrintInfo* info) {
  CGXGridView::OnEndPrinting(dc, info);
  if (ForegroundWnd == nullptr) return;
  if (CWnd* main = AfxGetMainWnd()) main->EnableWindow(MainWndEnabled);
  ::EnableWindow(ForegroundWnd, true);
  ForegroundWnd = nullptr;
}

void CListPrintView::OnFilePrint() {
  CPrintFrame* frame = ParentPrintFrame();
  if (frame != nullptr) frame->SetPrintStart();
  CView::OnFilePrint();
  if (frame != nullptr) frame->SetPrintEnd();
}

void CListPrintView::OnFilePrintPreview() {
  if (CPrintFrame* frame = ParentPrintFrame()) frame->SetPrintStart();
  CView::OnFilePrintPreview();
}

void CListPrintView::OnEndPrintPreview(CDC* dc, CPrintInfo* info, CPoint point, CPrintPreview* preview) {
  CView::OnEndPrintPreview(dc, info, point, preview);
  if (CPrintFrame* frame = ParentPrintFrame()) frame->SetPrintEnd();
}

CString CListPrintView::PageHeading() const {
  const CListPrintDoc* document = GetDocument();
  if (document == nullptr || document->GetSystemName().IsEmpty()) return {};
  CString heading = Utils::GetCurrentDateAndTime() + HostString(kBeforeSystemName) + document->GetSystemName();
  if (document->GetIncludeDate() != 0) {
    const CString format = Utils::GetDefaultDateFormatSpecifier();
    heading += HostString(kBeforeFromDate) + document->GetFromDate().Format(format) + HostString(kBeforeToDate) +
               document->GetToDate().Format(format);
  }
  return heading;
}

// Centred at the top, on one line. The rectangle is the view's client
// rectangle, but as wide as the printable area: the screen's width means
// nothing on paper.
void CListPrintView::DrawPageHeading(CDC& dc, const CPrintInfo& info) {
  const CString heading = PageHeading();
  if (heading.IsEmpty()) return;
  CFont font;
  const LOGFONT description = HeadingFont();
  font.CreateFontIndirect(&description);
  CFont* previous = dc.SelectObject(&font);
  CRect area;
  GetClientRect(&area);
  area.right = area.left + info.m_rectDraw.Width();
  const CSize size = dc.GetTextExtent(heading);
  const int previousMode = dc.SetBkMode(TRANSPARENT);
  dc.TextOut(area.left + (area.Width() - size.cx) / 2, area.top, heading);
  dc.SetBkMode(previousMode);
  dc.SelectObject(previous);
}
