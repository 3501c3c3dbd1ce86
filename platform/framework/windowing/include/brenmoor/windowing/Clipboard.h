#pragma once
// The one clipboard of the process, with the ANSI and UTF-16 text formats (a
// block of global memory holding the text and its zero) and the bitmap
// format, and
// the movable global memory blocks that carry data onto it. Only one opener
// at a time: opening an open clipboard fails, as it does while another
// program holds it. On screen, the text is the display's: what another
// program copied is there when the clipboard opens, and text placed on it
// can be pasted elsewhere once it closes.

#include <cstddef>

#include "brenmoor/gdi/Bitmap.h"

using HANDLE = void*;
using HGLOBAL = HANDLE;

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_DDESHARE = 0x2000;

// Null for a zero size.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
void* GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
std::size_t GlobalSize(HGLOBAL memory);
// Null when freed; the block itself when it cannot be.
HGLOBAL GlobalFree(HGLOBAL memory);

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Frees what the clipboard holds; the opener becomes its owner.
BOOL EmptyClipboard();
// The clipboard takes the data (a global block for text, a bitmap handle for
// CF_BITMAP) and returns it; null, and the data still the caller's, when the
// clipboard is not open or the format or data is not one it takes.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The clipboard's own data, valid while it stays open; null when it is closed or holds no such format.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetClipboardOwner();
