#pragma once
// The system's own modal windows (message box, file, colour and print
// dialogs, print preview, popup menu), each a dialog whose template is built
// in code: the library registers no resources. Each runs in the same modal
// loop as any dialog, so the installed user acts in it as in a host's.

#include <initializer_list>
#include <span>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/ui/CDialog.h"

// The numbers these dialogs go by, where a user tells dialogs apart; far
// from the numbers hosts give their templates.
enum BuiltInDialogId : UINT {
  kMessageBoxDialog = 0xFF01,
  kFileDialogWindow = 0xFF02,
  kColourDialogWindow = 0xFF03,
  kPrintDialogWindow = 0xFF04,
  kPrintPreviewWindow = 0xFF05,
  kPopupMenuWindow = 0xFF06,
};

class CBuiltInDialog : public CDialog {
 public:
  CBuiltInDialog(BuiltInDialogId id, DialogTemplate layout) : CDialog(id), layout_(std::move(layout)) {}

 protected:
  bool CreateModalWindow(HWND owner) override { return CreateFromTemplate(layout_, owner); }
  // Nothing to exchange: each dialog reads its controls when it ends.
  void DoDataExchange(CDataExchange*) override {}
  DialogTemplate& Layout() { return layout_; }
  // Draws the picture with that id: (0, 0) is its top-left corner.
  virtual void DrawPicture(int id, CDC& dc, const CRect& box) = 0;

  CString ItemText(int id) const;
  void SetItemText(int id, const CString& text);
  bool IsChecked(int id) const;
  void SetChecked(int id, bool checked);

  DECLARE_MESSAGE_MAP()

 private:
  LRESULT HandleDrawItem(WPARAM, LPARAM);

  DialogTemplate layout_;
};

// Widths of texts in the dialog font as the screen shows them, in pixels.
class DialogTextMeasure {
 public:
  DialogTextMeasure();
  int Width(const std::wstring& text) const;

 private:
  CFont font_;
  CScreenDC dc_;
};

// Template items as the dialogs lay them out, in dialog units.
DialogItemTemplate Label(int id, const CString& text, CRect rect);
DialogItemTemplate Button(int id, const CString& text, CRect rect, bool isDefault = false);
DialogItemTemplate CheckBox(int id, const CString& text, CRect rect);
DialogItemTemplate Field(int id, const CString& text, CRect rect);
DialogItemTemplate DropList(int id, CRect rect, std::initializer_list<CString> choices = {});
// A picture its dialog draws (WM_DRAWITEM); clicks tell the dialog unless it is inert.
DialogItemTemplate Picture(int id, CRect rect, bool clickable);
// A rectangle of the given pixel size at the corner, in dialog units.
CRect PixelsToDialogUnits(CPoint corner, int width, int height);
// A polygon filled with one colour and outlined with another, for the pictures the dialogs draw.
void DrawFilledPolygon(CDC& dc, std::span<const CPoint> corners, COLORREF fill, COLORREF edge);
