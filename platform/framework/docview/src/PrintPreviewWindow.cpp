#include "brenmoor/docview/PrintPreviewWindow.h"

#include <algorithm>
#include <string>

#include "brenmoor/docview/CPrintPreview.h"
#include "brenmoor/docview/CPrinterDC.h"
#include "brenmoor/gdi/ClassicLook.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

// The paper keeps this many pixels from the edge of the grey around it.
constexpr int kPaperMargin = 8;

DialogTemplate LayOut() {
  using Self = CPrintPreviewWindow;
  DialogTemplate layout{L"Print Preview", {0, 0, 300, 400}, WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {}};
  auto tool = [](int id, const wchar_t* text, int left) {
    DialogItemTemplate button = Button(id, text, {left, 4, left + 44, 16});
    button.style &= ~WS_TABSTOP;
    return button;
  };
  layout.items = {
      tool(Self::kNextPage, L"Next Page", 4),
      tool(Self::kPrevPage, L"Prev Page", 50),
      tool(Self::kZoomIn, L"Zoom In", 96),
      tool(Self::kZoomOut, L"Zoom Out", 142),
      tool(Self::kClose, L"Close", 188),
      Label(Self::kPageNumber, L"", {240, 6, 296, 14}),
      Picture(Self::kPage, {0, 20, 300, 400}, false),
  };
  return layout;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPrintPreviewWindow, CBuiltInDialog)
  MessageEntry<&CPrintPreviewWindow::HandleKeyDown>(WM_KEYDOWN),
END_MESSAGE_MAP()

CPrintPreviewWindow::CPrintPreviewWindow(CPrintPreview& preview)
    : CBuiltInDialog(kPrintPreviewWindow, LayOut()), preview_(preview) {}

CPrintPreviewWindow::~CPrintPreviewWindow() = default;

BOOL CPrintPreviewWindow::OnInitDialog() {
  pages_ = preview_.DrawPages();
  Show(0, 0);
  return false;
}

// The buttons take no focus from the preview, which keeps the keys.
void CPrintPreviewWindow::Show(int page, int zoom) {
  const int last = std::max(0, static_cast<int>(pages_.size()) - 1);
  shown_ = std::clamp(page, 0, last);
  zoom_ = std::clamp(zoom, 0, static_cast<int>(std::size(kZoomPercents)) - 1);
  ::EnableWindow(::GetDlgItem(m_hWnd, kNextPage), shown_ < last);
  ::EnableWindow(::GetDlgItem(m_hWnd, kPrevPage), shown_ > 0);
  ::EnableWindow(::GetDlgItem(m_hWnd, kZoomIn), zoom_ + 1 < static_cast<int>(std::size(kZoomPercents)));
  ::EnableWindow(::GetDlgItem(m_hWnd, kZoomOut), zoom_ > 0);
  SetItemText(kPageNumber, pages_.empty() ? CString(L"No pages")
                                          : CString(L"Page " + std::to_wstring(preview_.FirstPage() + shown_)));
  ::InvalidateRect(::GetDlgItem(m_hWnd, kPage), nullptr, true);
  ::SetFocus(m_hWnd);
}

BOOL CPrintPreviewWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED) return CBuiltInDialog::OnCommand(wParam, lParam);
  switch (LOWORD(wParam)) {
    case kNextPage: Show(shown_ + 1, zoom_); return true;
    case kPrevPage: Show(shown_ - 1, zoom_); return true;
    case kZoomIn: Show(shown_, zoom_ + 1); return true;
    case kZoomOut: Show(shown_, zoom_ - 1); return true;
    case kClose: EndDialog(IDCANCEL); return true;
    default: return CBuiltInDialog::OnCommand(wParam, lParam);
  }
}

LRESULT CPrintPreviewWindow::HandleKeyDown(WPARAM key, LPARAM) {
  if (key == VK_NEXT) Show(shown_ + 1, zoom_);
  if (key == VK_PRIOR) Show(shown_ - 1, zoom_);
  if (key == VK_ESCAPE) EndDialog(IDCANCEL);
  return 0;
}

// Whole in the box at the first zoom; larger ones show the top of the page, centred across.
CRect CPrintPreviewWindow::PaperRect(const CRect& box) const {
  const RasterSurface& page = pages_[static_cast<std::size_t>(shown_)]->Picture();
  int width = page.Width() * kZoomPercents[zoom_] / 100;
  int height = page.Height() * kZoomPercents[zoom_] / 100;
  if (zoom_ == 0) {
    const int room = box.Height() - 2 * kPaperMargin;
    height = std::min(room, MulDiv(box.Width() - 2 * kPaperMargin, page.Height(), page.Width()));
    width = MulDiv(height, page.Width(), page.Height());
  }
  const int left = box.left + (box.Width() - width) / 2;
  const int top = box.top + kPaperMargin;
  return {left, top, left + width, top + height};
}

void CPrintPreviewWindow::DrawPicture(int, CDC& dc, const CRect& box) {
  dc.FillSolidRect(box, classic::kShadow);
  if (pages_.empty()) return;
  const CRect paper = PaperRect(box);
  auto inBox = [&box](CRect area) {
    return CRect{std::max(area.left, box.left), std::max(area.top, box.top), std::min(area.right, box.right),
                 std::min(area.bottom, box.bottom)};
  };
  dc.FillSolidRect(inBox({paper.left + 3, paper.top + 3, paper.right + 3, paper.bottom + 3}), classic::kDarkShadow);
  dc.FillSolidRect(inBox(paper), classic::kWindow);
  // The picture goes straight onto the pixels of a raster; a recording keeps the paper only.
  if (auto* raster = dynamic_cast<RasterSurface*>(&dc.Surface())) {
    const CPoint origin = dc.GetViewportOrg();
    const CRect onto{paper.left + origin.x, paper.top + origin.y, paper.right + origin.x, paper.bottom + origin.y};
    const CRect clip{box.left + origin.x, box.top + origin.y, box.right + origin.x, box.bottom + origin.y};
    raster->PasteScaled(pages_[static_cast<std::size_t>(shown_)]->Picture(), onto, clip);
  }
}

void RunPrintPreviewWindow(CPrintPreview& preview) {
  CPrintPreviewWindow window(preview);
  window.DoModal();
}
