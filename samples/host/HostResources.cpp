#include "HostResources.h"

#include <utility>

#include "brenmoor/windowing/Accelerators.h"
#include "brenmoor/windowing/CMenu.h"
#include "brenmoor/windowing/ClassNames.h"
#include "brenmoor/windowing/DialogTemplate.h"
#include "brenmoor/windowing/WinMessages.h"

namespace {

// Every field given, so that a host built with -Wextra hears nothing.
DialogItemTemplate Item(const wchar_t* className, int id, const wchar_t* text, CRect rect, DWORD style,
                        std::vector<CString> choices = {}) {
  return {className, id, text, rect, style, std::move(choices)};
}

DialogTemplate ExportFormatDialog() {
  const DWORD label = WS_VISIBLE | SS_LEFT;
  const DWORD check = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
  const DWORD combo = WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN;
  return {L"Export Format", {0, 0, 262, 184}, WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {
      Item(kStaticClass, -1, L"Delimiter:", {7, 9, 62, 17}, label),
      Item(kComboBoxClass, 1245, L"", {66, 7, 150, 19}, combo, {L"Tab", L"Space", L",", L";", L"|"}),
      Item(kStaticClass, -1, L"Text qualifier:", {7, 25, 62, 33}, label),
      Item(kComboBoxClass, 1246, L"", {66, 23, 150, 35}, combo, {L"\"", L"'", L"None"}),
      Item(kStaticClass, -1, L"File:", {7, 42, 62, 50}, label),
      Item(kEditClass, 1247, L"", {66, 40, 206, 52}, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL),
      Item(kButtonClass, 1248, L"Browse...", {210, 39, 255, 53}, WS_VISIBLE | WS_TABSTOP),
      Item(kButtonClass, 1249, L"Column titles in the first line", {7, 60, 200, 70}, check),
      Item(kButtonClass, 1629, L"Dated banner before the data", {7, 73, 200, 83}, check),
      Item(kButtonClass, 1649, L"Date in the file name", {7, 86, 200, 96}, check),
      Item(kStaticClass, -1, L"Preview:", {7, 102, 62, 110}, label),
      Item(kEditClass, 1238, L"", {7, 112, 255, 156}, WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_READONLY),
      Item(kButtonClass, IDOK, L"OK", {150, 163, 200, 177}, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON),
      Item(kButtonClass, IDCANCEL, L"Cancel", {205, 163, 255, 177}, WS_VISIBLE | WS_TABSTOP),
  }};
}

DialogTemplate WarningDialog() {
  return {L"Warning", {0, 0, 200, 80}, WS_CAPTION | DS_MODALFRAME, {
      Item(kStaticClass, 1166, L"", {10, 10, 190, 30}, WS_VISIBLE),
      Item(kButtonClass, 1260, L"Do not show this again", {10, 40, 190, 50}, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX),
      Item(kButtonClass, IDOK, L"OK", {80, 60, 130, 74}, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON),
      Item(kButtonClass, IDCANCEL, L"Cancel", {140, 60, 190, 74}, WS_VISIBLE | WS_TABSTOP),
  }};
}

// The Window menu's Close is the command libwin's MDI children close on (32785).
MenuTemplate ChildMenu() {
  MenuItemTemplate window{MF_POPUP, 0, L"&Window", {}};
  window.popup = {{MF_STRING, 32785, L"&Close\tCtrl+F4", {}}};
  return {window};
}

MenuTemplate PrintHostMenu() {
  MenuItemTemplate file{MF_POPUP, 0, L"&File", {}};
  file.popup = {{MF_STRING, ID_FILE_PRINT, L"&Print...\tCtrl+P", {}},
                {MF_STRING, ID_FILE_PRINT_PREVIEW, L"Print Pre&view", {}},
                {MF_SEPARATOR, 0, L"", {}},
                {MF_STRING, kExitCommand, L"E&xit", {}}};
  return {file};
}

}  // namespace

void RegisterExportResources(CResourceModule& host) {
  host.Register<DialogTemplate>(234, ExportFormatDialog());
  host.RegisterString(422, L"Text files (*.txt)|*.txt|Comma-separated files (*.csv)|*.csv|All files (*.*)|*.*||");
  host.RegisterString(692, L"Tab");
  host.RegisterString(693, L"Space");
  host.RegisterString(694, L"None");
  host.RegisterString(695, L"Title");
  host.RegisterString(696, L"Data");
  host.RegisterString(698, L"The export file could not be opened:\n%1");
  host.RegisterString(771, L"The list was exported to %1.");
}

void RegisterPrintResources(CResourceModule& host) {
  host.RegisterString(569, L"List print");
  host.RegisterString(619, L" - ");
  host.RegisterString(1811, L", from ");
  host.RegisterString(1812, L" to ");
  host.RegisterString(697, L"The column specification cannot be read.");
  host.RegisterString(kListPrintTemplate, L"\nList print\nList print");
  host.Register<MenuTemplate>(kPrintHostFrame, PrintHostMenu());
  host.Register<AcceleratorTemplate>(kPrintHostFrame, {{FVIRTKEY | FCONTROL, 'P', ID_FILE_PRINT}});
}

void RegisterWindowResources(CResourceModule& host) {
  host.Register<DialogTemplate>(261, WarningDialog());
  host.RegisterString(689, L"Dock");
  host.RegisterString(690, L"Float");
  host.RegisterString(691, L"Hide");
  host.RegisterString(55296, L"Invalid DateTime");
  host.Register<MenuTemplate>(13, ChildMenu());
  host.Register<AcceleratorTemplate>(13, {{FVIRTKEY | FCONTROL, 0x73 /* F4 */, 32785}});
}
