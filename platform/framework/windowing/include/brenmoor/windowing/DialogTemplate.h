#pragma once
// A dialog template as a host registers it by number: the dialog's caption,
// size and style and its controls, each with its window class, id, text,
// rectangle, style and, for combo boxes, the choices. Positions are in
// dialog units (a quarter of the average character width, an eighth of the
// character height).

#include <string>
#include <vector>

#include "brenmoor/core/CResourceModule.h"
#include "brenmoor/core/CString.h"
#include "brenmoor/core/Geometry.h"

struct DialogItemTemplate {
  std::wstring className;
  int id = 0;
  CString text;
  CRect rect;  // dialog units
  DWORD style = 0;
  std::vector<CString> choices;
};

struct DialogTemplate {
  CString caption;
  CRect rect;  // dialog units
  DWORD style = 0;
  std::vector<DialogItemTemplate> items;
};
template <>
struct ResourceType<DialogTemplate> {
  static constexpr UINT value = RT_DIALOG;
};

// Dialog units of the dialog font (an average character of 6 by 13 pixels) in pixels.
CRect MapDialogRect(const CRect& dialogUnits);
