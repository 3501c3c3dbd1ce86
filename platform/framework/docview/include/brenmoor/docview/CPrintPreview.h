#pragma once
// A print preview as the user sees it: the view's pages drawn one by one
// onto images of the printer's page. It ends when the user closes it.

#include <memory>
#include <string>
#include <vector>

class CPreviewDC;
class CPrintInfo;
class CView;

class CPrintPreview {
 public:
  CPrintPreview(CView& view, CPrintInfo& info) : view_(view), info_(info) {}
  // Draws every page the view has into <folder>/page-<n>.png; the number of
  // pages, or -1 when a picture could not be written.
  int WritePages(const std::string& folder);
  // Every page the view has, each drawn onto a picture of the printer's page.
  std::vector<std::unique_ptr<CPreviewDC>> DrawPages();
  // The number the first page goes by.
  unsigned FirstPage() const;

 private:
  CView& view_;
  CPrintInfo& info_;
};
