#pragma once
// The print preview as a window: the page the view draws, with Next Page,
// Prev Page, Zoom In, Zoom Out and Close above it. Page Down and Page Up
// turn the pages and Escape closes the preview.

#include <memory>
#include <vector>

#include "brenmoor/ui/BuiltInDialog.h"

class CPreviewDC;
class CPrintPreview;

class CPrintPreviewWindow : public CBuiltInDialog {
 public:
  enum : int {
    kClose = 0xE300,
    kNextPage = 0xE302,
    kPrevPage = 0xE303,
    kZoomIn = 0xE305,
    kZoomOut = 0xE306,
    kPageNumber = 0xE310,
    kPage = 0xE311,
  };
  // The whole page fits at the first zoom; the others show it at this many percent.
  static constexpr int kZoomPercents[] = {0, 100, 200};

  explicit CPrintPreviewWindow(CPrintPreview& preview);
  ~CPrintPreviewWindow() override;

  int ShownPage() const { return shown_; }
  int Zoom() const { return zoom_; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override {}
  void DrawPicture(int id, CDC& dc, const CRect& box) override;

  DECLARE_MESSAGE_MAP()

 private:
  LRESULT HandleKeyDown(WPARAM key, LPARAM);
  void Show(int page, int zoom);
  CRect PaperRect(const CRect& box) const;

  CPrintPreview& preview_;
  std::vector<std::unique_ptr<CPreviewDC>> pages_;
  int shown_ = 0;  // index into the pages
  int zoom_ = 0;   // index into the zoom percents
};

// Returns when the user closes the preview.
void RunPrintPreviewWindow(CPrintPreview& preview);
