#include "ExportHost.h"

#include "brenmoor/windowing/ClassNames.h"
#include "brenmoor/windowing/WinMessages.h"

namespace {

DialogTemplate FormatDialog() {
  const DWORD label = WS_VISIBLE | SS_LEFT;
  const DWORD check = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
  const DWORD combo = WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN;
  DialogTemplate dialog{L"Export Format", {0, 0, 262, 184}, WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {}};
  dialog.items = {
      {kStaticClass, -1, L"Delimiter:", {7, 9, 62, 17}, label},
      {kComboBoxClass, 1245, L"", {66, 7, 150, 19}, combo, {L"Tab", L"Space", L",", L";", L"|"}},
      {kStaticClass, -1, L"Text qualifier:", {7, 25, 62, 33}, label},
      {kComboBoxClass, 1246, L"", {66, 23, 150, 35}, combo, {L"\"", L"'", L"None"}},
      {kStaticClass, -1, L"File:", {7, 42, 62, 50}, label},
      {kEditClass, 1247, L"", {66, 40, 206, 52}, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
      {kButtonClass, 1248, L"Browse...", {210, 39, 255, 53}, WS_VISIBLE | WS_TABSTOP},
      {kButtonClass, 1249, L"Column titles in the first line", {7, 60, 200, 70}, check},
      {kButtonClass, 1629, L"Dated banner before the data", {7, 73, 200, 83}, check},
      {kButtonClass, 1649, L"Date in the file name", {7, 86, 200, 96}, check},
      {kStaticClass, -1, L"Preview:", {7, 102, 62, 110}, label},
      {kEditClass, 1238, L"", {7, 112, 255, 156}, WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_READONLY},
      {kButtonClass, IDOK, L"OK", {150, 163, 200, 177}, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
      {kButtonClass, IDCANCEL, L"Cancel", {205, 163, 255, 177}, WS_VISIBLE | WS_TABSTOP},
  };
  return dialog;
}

}  // namespace

void RegisterExportResources(CResourceModule& host) {
  host.Register<DialogTemplate>(234, FormatDialog());
  host.RegisterString(422, L"Text files (*.txt)|*.txt|Comma-separated files (*.csv)|*.csv|All files (*.*)|*.*||");
  host.RegisterString(692, L"Tab");
  host.RegisterString(693, L"Space");
  host.RegisterString(694, L"None");
  host.RegisterString(695, L"Title");
  host.RegisterString(696, L"Data");
  host.RegisterString(697, L"Export Format");
  host.RegisterString(698, L"The export file could not be opened:\n%1");
  host.RegisterString(771, L"The list was exported to %1.");
}
