#pragma once
// An owner-drawn push button that shows a colour swatch. A click lets the
// user pick a new colour in the colour dialog; after every click, picked or
// not, the parent gets WM_COLOURBUTTON_CLICKED with the button's id and the
// colour.

#include "brenmoor/ui/CButton.h"

constexpr UINT WM_COLOURBUTTON_CLICKED = WM_USER + 500;

class CColourButton : public CButton {
  DECLARE_DYNAMIC(CColourButton)

 public:
  explicit CColourButton(COLORREF colour);
  // Does not repaint the button.
  void SetColour(COLORREF colour) { colour_ = colour; }
  COLORREF GetColour() const { return colour_; }

  void DrawItem(LPDRAWITEMSTRUCT item);
  // The click goes through the button's own map and on to the parent as well.
  bool OnCmdMsg(UINT id, UINT code) override;

 protected:
  void PreSubclassWindow() override;
  bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnClicked();

  DECLARE_MESSAGE_MAP()

 private:
  COLORREF colour_;
};
