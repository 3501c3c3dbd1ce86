#pragma once
// The colour dialog as a window: the 48 basic colours, the colour's red,
// green and blue fields, a sample of the colour, OK and Cancel.

#include <array>

#include "brenmoor/ui/BuiltInDialog.h"

class CColorDialog;

class CColourDialogWindow : public CBuiltInDialog {
 public:
  enum : int { kRed = 706, kGreen = 707, kBlue = 708, kSample = 709, kFirstSwatch = 720 };
  static const std::array<COLORREF, 48> kBasicColours;

  explicit CColourDialogWindow(CColorDialog& dialog);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void DrawPicture(int id, CDC& dc, const CRect& box) override;

 private:
  void ShowColour(COLORREF colour);
  // The colour the fields make; false when one of them is not 0 to 255.
  bool FieldsColour(COLORREF& colour, int& wrongField) const;
  void RepaintSamples();

  CColorDialog& dialog_;
  COLORREF shown_;
};

// True when the user picked a colour, which the dialog then holds.
bool RunColourDialogWindow(CColorDialog& dialog);
