#pragma once
// Edit controls: the window text is the content; typing replaces the
// selection and tells the parent with EN_UPDATE and EN_CHANGE. A read-only
// edit takes no typing.

#include "brenmoor/gdi/ClassicLook.h"
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

// The selection, caret and typing shared by edit controls and the edit field
// of combo boxes. The caret is one end of the selection; Shift moves it and
// leaves the other end where it is.
struct EditField {
  int selectionStart = 0;
  int selectionEnd = 0;
  bool caretAtStart = false;

  int Caret() const { return caretAtStart ? selectionStart : selectionEnd; }
  void Select(std::wstring_view text, LPARAM start, LPARAM end);
  // Puts the caret there, taking the selection along when extending.
  void MoveCaret(int to, bool extend);
  // The keys of typing: a character replaces the selection, backspace and
  // delete remove it or the character before or after the caret; control
  // characters other than these (and a line break or tab where there are
  // lines) type nothing. False when the text stayed as it was.
  bool Type(std::wstring& text, wchar_t character, bool multiline);
  bool Delete(std::wstring& text, bool forward);
  // The caret keys (arrows, Home, End, Up and Down where there are lines);
  // false for any other key.
  bool MoveByKey(std::wstring_view text, WPARAM key, bool extend, bool multiline);
};

// One line of a field's text, lineStart units into the text, at the place;
// with the focus, the part of the selection on it white on blue, and the caret.
void PaintEditLine(classic::Painter& painter, const std::wstring& line, int lineStart, const EditField& field,
                   bool focused, const CRect& place);
