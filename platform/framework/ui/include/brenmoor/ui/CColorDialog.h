#pragma once
// The standard colour dialog: the user picks a colour, or cancels. The colour
// and flags it was opened with are there for the user to see.

#include "brenmoor/core/WinTypes.h"

class CWnd;

constexpr DWORD CC_RGBINIT = 0x0001;
constexpr DWORD CC_FULLOPEN = 0x0002;
constexpr DWORD CC_ANYCOLOR = 0x0100;

class CColorDialog {
 public:
  // A nonzero initial colour adds CC_RGBINIT, as the framework does.
  explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
  virtual ~CColorDialog() = default;

  // IDOK when the user picked a colour, IDCANCEL otherwise.
  virtual INT_PTR DoModal();
  // The colour picked; the initial colour until one is.
  COLORREF GetColor() const { return colour_; }
  DWORD GetFlags() const { return flags_; }
  void SetCurrentColor(COLORREF colour) { colour_ = colour; }

 private:
  COLORREF colour_;
  DWORD flags_;
};

// Why the last common dialog failed; 0 when it was cancelled or did not fail.
DWORD CommDlgExtendedError();
