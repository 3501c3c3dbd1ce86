#pragma once
// A print preview as the user sees it: the view's pages drawn one by one
// onto images of the printer's page. It ends when the user closes it.

#include <string>

class CPrintInfo;
class CView;

class CPrintPreview {
 public:
  CPrintPreview(CView& view, CPrintInfo& info) : view_(view), info_(info) {}
  // Draws every page the view has into <folder>/page-<n>.png; the number of
  // pages, or -1 when a picture could not be written.
  int WritePages(const std::string& folder);

 private:
  CView& view_;
  CPrintInfo& info_;
};
