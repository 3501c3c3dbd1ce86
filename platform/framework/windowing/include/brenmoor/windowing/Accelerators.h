#pragma once
// Accelerator tables: keys that stand for commands, held by the system
// under a handle, made from entries or from the host's tables by number.

#include <vector>

#include "brenmoor/core/WinTypes.h"

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

struct HACCEL__;
using HACCEL = HACCEL__*;

// Null for no entries.
HACCEL CreateAcceleratorTableW(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
// Copies at most count entries; with no buffer, the number of entries.
int CopyAcceleratorTableW(HACCEL table, ACCEL* entries, int count);
