#pragma once
// Edit controls: the window text is the content; typing replaces the
// selection and tells the parent with EN_UPDATE and EN_CHANGE. A read-only
// edit takes no typing.

#include "brenmoor/ui/CWnd.h"

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)

 public:
  // end -1 selects to the end of the text; start -1 removes the selection.
  void SetSel(int start, int end, BOOL noScroll = false);
  void GetSel(int& start, int& end) const;
  void ReplaceSel(const wchar_t* text, BOOL canUndo = false);
  BOOL SetReadOnly(BOOL readOnly = true);
};

// The selection and typing shared by edit controls and the edit field of
// combo boxes.
struct EditField {
  int selectionStart = 0;
  int selectionEnd = 0;

  void Select(std::wstring_view text, LPARAM start, LPARAM end);
  // The keys of typing: a character replaces the selection, backspace and
  // delete remove it or the character before or after the caret. False
  // when the text stayed as it was.
  bool Type(std::wstring& text, wchar_t character, bool multiline);
  bool Delete(std::wstring& text, bool forward);
};
