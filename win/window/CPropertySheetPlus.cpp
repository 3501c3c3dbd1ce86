#include "brenmoor/win/CPropertySheetPlus.h"

#include <cwctype>

#include "brenmoor/windowing/TabControl.h"

IMPLEMENT_DYNAMIC(CPropertySheetPlus, CPropertySheet)
IMPLEMENT_DYNCREATE(CPropertyPagePlus, CPropertyPage)

namespace {

CString Trimmed(const CString& text) {
  const std::wstring& units = text.Str();
  std::size_t first = 0;
  std::size_t last = units.size();
  while (first < last && std::iswspace(static_cast<wint_t>(units[first]))) ++first;
  while (last > first && std::iswspace(static_cast<wint_t>(units[last - 1]))) --last;
  return CString(units.substr(first, last - first));
}

// At most count units, never ending in the first half of a surrogate pair.
CString CutToUnits(const CString& text, int count) {
  if (text.GetLength() <= count) return text;
  const wchar_t last = text[count - 1];
  return text.Left(last >= 0xD800 && last <= 0xDBFF ? count - 1 : count);
}

}  // namespace

CPropertySheetPlus::CPropertySheetPlus(UINT captionId, CWnd* parent, UINT selectPage)
    : CPropertySheet(captionId, parent, selectPage) {}

CPropertySheetPlus::CPropertySheetPlus(const wchar_t* caption, CWnd* parent, UINT selectPage)
    : CPropertySheet(caption, parent, selectPage) {}

void CPropertySheetPlus::SetPageTitle(CPropertyPage* page) {
  if (!IsWizard()) return;
  const int index = GetPageIndex(page);
  CWnd* tabs = GetTabControl();
  if (index < 0 || tabs == nullptr) return;
  wchar_t text[kTabTextUnits] = {};
  TCITEMW item{TCIF_TEXT};
  item.pszText = text;
  item.cchTextMax = kTabTextUnits;
  tabs->SendMessage(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));

  m_strCaption = Trimmed(m_strCaption);
  if (m_strCaption.IsEmpty()) return;
  const CString tabText = Trimmed(text);
  if (tabText.IsEmpty()) return;
  const CString joined = CutToUnits(m_strCaption + CString(L" - ") + tabText, kTabTextUnits - 1);
  item.pszText = const_cast<wchar_t*>(static_cast<const wchar_t*>(joined));
  tabs->SendMessage(TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

LRESULT CPropertySheetPlus::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == PSM_SETWIZBUTTONS && !IsWizard()) return 0;
  const LRESULT result = CPropertySheet::DefWindowProc(message, wParam, lParam);
  if (message == PSM_SETWIZBUTTONS && (lParam & static_cast<LPARAM>(PSWIZB_NEXT | PSWIZB_FINISH)) == 0) {
    const auto defaultId = static_cast<WPARAM>(SendMessage(DM_GETDEFID));
    if (HIWORD(defaultId) == DC_HASDEFID) {
      SendMessage(DM_SETDEFID, 0);
      if (CWnd* former = GetDlgItem(LOWORD(defaultId))) former->SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, true);
    }
  }
  return result;
}

CPropertyPagePlus::CPropertyPagePlus() : CPropertyPage(0, 0, kPageSize) {}
CPropertyPagePlus::CPropertyPagePlus(UINT templateId, UINT captionId)
    : CPropertyPage(templateId, captionId, kPageSize) {}

CPropertySheetPlus* CPropertyPagePlus::GetSheetPlus() const { return DYNAMIC_DOWNCAST(CPropertySheetPlus, GetParent()); }

BOOL CPropertyPagePlus::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (CPropertySheetPlus* sheet = GetSheetPlus()) sheet->SetPageTitle(this);
  return true;
}

BOOL CPropertyPagePlus::OnKillActive() {
  if (!CPropertyPage::OnKillActive()) return false;
  const auto* sheet = DYNAMIC_DOWNCAST(CPropertySheet, GetParent());
  if (sheet != nullptr && sheet->IsWizard()) return true;
  return OnWizardNext() == 0;
}
