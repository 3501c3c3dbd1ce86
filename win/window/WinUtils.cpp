#include "WinUtils.h"

#include <algorithm>

CSize WinUtils::CreateFontW(CFont* font, CString faceName, int height, bool bold, bool underline,
                            bool italic) {
  LOGFONT description;
  description.lfHeight = height;
  description.lfWeight = bold ? FW_BOLD : FW_DONTCARE;
  description.lfUnderline = underline ? 1 : 0;
  description.lfItalic = italic ? 1 : 0;
  const int length = std::min(faceName.GetLength(), LF_FACESIZE - 1);
  std::copy_n(static_cast<const wchar_t*>(faceName), length, description.lfFaceName);
  font->CreateFontIndirect(&description);

  CScreenDC screen;
  CFont* previous = screen.SelectObject(font);
  const CSize extent = screen.GetTextExtent(CString(L'X', 100));
  screen.SelectObject(previous);
  return {extent.cx / 100, extent.cy};
}
