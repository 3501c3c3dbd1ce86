#pragma once
// A popup menu as a window: one row per item (a command, a separator, or a
// popup that opens another menu), grayed and checked as the menu says, with
// the accelerator's text on the right, its top-left corner where it was
// asked to show. The row under the mouse or reached with the arrow keys is
// highlighted; a click, Enter or the letter the row marks picks it; Escape
// closes the menu without a pick.

#include <vector>

#include "brenmoor/ui/BuiltInDialog.h"

class CPopupMenuWindow : public CBuiltInDialog {
 public:
  // Rows that open a popup go by this id plus their position.
  static constexpr int kFirstPopupRow = 0xFE00;
  // What separator rows go by.
  static constexpr int kSeparatorRow = 0xFFFF;

  CPopupMenuWindow(HMENU menu, CPoint at);
  // The row that Enter picks; -1 before the arrows reached one.
  int HotRow() const { return hot_; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override {}
  void OnCancel() override { EndDialog(0); }
  void DrawPicture(int id, CDC& dc, const CRect& box) override;

  DECLARE_MESSAGE_MAP()

 private:
  struct Row {
    int id;
    std::wstring text;  // "&" marks the mnemonic, "&&" is an ampersand
    std::wstring accelerator;
    UINT state;
    HMENU popup;
  };
  static std::vector<Row> RowsOf(HMENU menu);
  static DialogTemplate LayOut(const std::vector<Row>& rows);
  LRESULT HandleKeyDown(WPARAM key, LPARAM);
  LRESULT HandleRowHovered(WPARAM id, LPARAM);
  void SetHot(int row);
  void MoveHot(int step);
  void Activate(std::size_t row);
  const Row* RowWithId(int id) const;

  std::vector<Row> rows_;
  CPoint at_;
  int hot_ = -1;
};

// The command picked, or 0 when the menu was closed without one; at is
// where the menu's top-left corner goes on the screen.
UINT RunPopupMenuWindow(HMENU menu, CPoint at = {});
