#include "brenmoor/win/CGXUtils.h"

#include <algorithm>
#include <cwctype>

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/utils/Tokenizer.h"
#include "brenmoor/windowing/WinMessages.h"
#include "brenmoor/utils/TokenizerStream.h"

namespace {

// The host's message for a column specification it cannot read.
constexpr UINT kBadColumnSpec = 697;
// A longer tooltip is cut to its first 90 characters and "...".
constexpr int kLongestToolTip = 90;

}  // namespace

void CGXUtils::CreateColumns(CGXGridCore& grid, const CString& spec) {
  StringTokenizerStream stream(spec);
  Tokenizer tokenizer(&stream, true, 0);
  ROWCOL col = 1;
  try {
    while (!tokenizer.Eof()) {
      grid.SetColCount(col, GX_UPDATENOW);
      const CString heading = tokenizer.ReadUntil(L";");
      grid.SetValueRange(CGXRange(0, col), heading, gxOverride, 0, GX_UPDATENOW);
      tokenizer.Match(L';');
      const int width = tokenizer.ReadInt();
      grid.SetColWidth(col, col, width, nullptr, GX_UPDATENOW);
      tokenizer.Match(L';');
      ++col;
    }
  } catch (const TokenizerException&) {
    AfxMessageBox(kBadColumnSpec, MB_ICONERROR);
  }
}

void CGXUtils::SetComboChoices(CGXGridCore& grid, const CGXRange& range, const CStringList& choices) {
  grid.SetStyleRange(range, CGXStyle().SetControl(GX_IDS_CTRL_EDIT), gxOverride, 0, GX_UPDATENOW);
  if (choices.GetCount() < 2) return;
  CString list;
  for (POSITION position = choices.GetHeadPosition(); position != nullptr;) {
    list += choices.GetNext(position);
    list += L'\n';
  }
  grid.SetStyleRange(range, CGXStyle().SetControl(GX_IDS_CTRL_CHOICELIST).SetChoiceList(list), gxOverride, 0,
                     GX_UPDATENOW);
}

void CGXUtils::SetToolTip(CGXGridCore& grid, const CGXRange& range, const CStringList& lines) {
  CString text;
  for (POSITION position = lines.GetHeadPosition(); position != nullptr;) {
    if (position != lines.GetHeadPosition()) text += L", ";
    text += lines.GetNext(position);
  }
  const std::wstring& units = text.Str();
  if (std::all_of(units.begin(), units.end(), [](wchar_t unit) { return std::iswspace(unit) != 0; })) return;
  if (text.GetLength() > kLongestToolTip) text = text.Left(kLongestToolTip) + L"...";
  grid.SetStyleRange(range, CGXStyle().SetUserAttribute(GX_IDS_UA_TOOLTIPTEXT, text), gxOverride, 0, GX_UPDATENOW);
}
