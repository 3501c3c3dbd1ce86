#pragma once
// Combo boxes: a list of choices with an edit field (CBS_DROPDOWN) or
// without one (CBS_DROPDOWNLIST). Typing in the field tells the parent
// CBN_EDITUPDATE and CBN_EDITCHANGE; picking a choice tells it CBN_SELCHANGE
// while the field still shows the old text, as the system does. The list
// drops down (CBN_DROPDOWN) as a popup window of its own under the box, on a
// press of the button (anywhere on a box without a field), Alt+Down or F4;
// it holds the mouse while open. A release on a choice, or Enter on the one
// the arrows moved to, picks it; a press outside or Escape closes it
// unchanged (CBN_CLOSEUP either way). Closed, the arrows step through the
// choices, and a letter picks the next choice it begins where there is no field.

#include "brenmoor/ui/CWnd.h"

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)

 public:
  // Heights in pixels of the closed box's field and of one choice of the open list.
  static constexpr int kItemHeight = 15;
  static constexpr int kButtonWidth = 16;

  int AddString(const wchar_t* text);
  int InsertString(int index, const wchar_t* text);
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int GetLBTextLen(int index) const;
  void GetLBText(int index, CString& text) const;
  int FindStringExact(int startAfter, const wchar_t* text) const;
  int SelectString(int startAfter, const wchar_t* text);
  BOOL SetEditSel(int start, int end);
  BOOL GetDroppedState() const;
};
