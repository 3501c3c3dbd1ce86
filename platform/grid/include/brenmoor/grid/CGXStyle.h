#pragma once
// The grid's cell coordinates, ranges and styles. A style holds only what was
// set on it; changing a cell's style with another merges what the other
// holds into it and leaves the rest.

#include <map>
#include <optional>

#include "brenmoor/core/CString.h"

using ROWCOL = DWORD;

// How a change reaches the screen: GX_UPDATENOW redraws at once.
constexpr UINT GX_INVALIDATE = 1;
constexpr UINT GX_UPDATENOW = 2;

// Cell controls.
constexpr WORD GX_IDS_CTRL_EDIT = 52512;        // plain text edit cell
constexpr WORD GX_IDS_CTRL_CHOICELIST = 52517;  // drop-down list of choices
// User attributes.
constexpr WORD GX_IDS_UA_TOOLTIPTEXT = 51022;

enum GXModifyType { gxOverride, gxApplyNew, gxCopy, gxExclude };

// A block of cells from (top, left) to (bottom, right), both corners included.
struct CGXRange {
  CGXRange() = default;
  CGXRange(ROWCOL row, ROWCOL col) : top(row), left(col), bottom(row), right(col) {}
  CGXRange(ROWCOL topRow, ROWCOL leftCol, ROWCOL bottomRow, ROWCOL rightCol)
      : top(topRow), left(leftCol), bottom(bottomRow), right(rightCol) {}
  bool operator==(const CGXRange&) const = default;

  ROWCOL top = 0;
  ROWCOL left = 0;
  ROWCOL bottom = 0;
  ROWCOL right = 0;
};

class CGXStyle {
 public:
  CGXStyle& SetValue(const CString& value);
  CGXStyle& SetControl(WORD control);
  CGXStyle& SetChoiceList(const CString& choices);
  CGXStyle& SetUserAttribute(WORD id, const CString& value);

  bool GetIncludeValue() const { return value_.has_value(); }
  bool GetIncludeControl() const { return control_.has_value(); }
  bool GetIncludeChoiceList() const { return choices_.has_value(); }
  CString GetValue() const { return value_.value_or(CString()); }
  WORD GetControl() const { return control_.value_or(GX_IDS_CTRL_EDIT); }
  CString GetChoiceList() const { return choices_.value_or(CString()); }
  // Empty when the attribute was never set.
  CString GetUserAttribute(WORD id) const;
  bool HasUserAttribute(WORD id) const { return userAttributes_.count(id) != 0; }

  // Merges the other style in: what it holds replaces what this one holds.
  void ChangeStyle(const CGXStyle& other);

 private:
  std::optional<CString> value_;
  std::optional<WORD> control_;
  std::optional<CString> choices_;
  std::map<WORD, CString> userAttributes_;
};
