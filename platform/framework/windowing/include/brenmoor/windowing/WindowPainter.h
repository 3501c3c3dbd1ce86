#pragma once
// Windows drawn in a plain classic look: the dialog frame and caption, and
// the built-in controls from their state. A window of any other class paints
// its client area itself when it gets WM_PRINTCLIENT with the device context.

#include <string>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/core/WinTypes.h"

// Paints the window and its visible children with the window's top-left
// corner at the context's viewport origin.
void PaintWindow(HWND window, CDC& dc);
// The window and its children as a PNG picture of the window's size.
bool RenderWindowToPng(HWND window, const std::string& pngFile);
