#pragma once
// Accelerator tables: keys that stand for commands, held by the system
// under a handle, made from entries or from the host's tables by number.

#include <vector>

#include "brenmoor/core/CResourceModule.h"
#include "brenmoor/core/WinTypes.h"
#include "brenmoor/windowing/Input.h"

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
  BYTE fVirt = 0;
  WORD key = 0;
  WORD cmd = 0;
};
using AcceleratorTemplate = std::vector<ACCEL>;
template <>
struct ResourceType<AcceleratorTemplate> {
  static constexpr UINT value = RT_ACCELERATOR;
};

struct HACCEL__;
using HACCEL = HACCEL__*;

// Null for no entries.
HACCEL CreateAcceleratorTableW(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
// From the module, or searched through the chain when it is null; null when not found.
HACCEL LoadAccelerators(HINSTANCE module, UINT id);
// Copies at most count entries; with no buffer, the number of entries.
int CopyAcceleratorTableW(HACCEL table, ACCEL* entries, int count);
// A key press that an entry of the table stands for (FVIRTKEY entries, with
// exactly the Shift, Ctrl and Alt held that the entry names) sends the
// window WM_COMMAND with the entry's command and 1 in the high word; true
// then. A key whose command is grayed in the window's menu, or that comes
// while the window is disabled, is used up without a command.
int TranslateAccelerator(HWND window, HACCEL table, const MSG* message);
