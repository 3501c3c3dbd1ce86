#pragma once
// Combo boxes: a list of choices with an edit field (CBS_DROPDOWN) or
// without one (CBS_DROPDOWNLIST). Typing in the field tells the parent
// CBN_EDITUPDATE and CBN_EDITCHANGE; picking a choice with the mouse tells it
// CBN_SELCHANGE while the field still shows the old text, as the system does.

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
