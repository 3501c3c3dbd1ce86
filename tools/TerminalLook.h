#pragma once
// How the tools show a terminal screen: colours, font and size, the same in
// a picture, on paper and in a window.

#include "brenmoor/core/WinTypes.h"

namespace terminal_look {

inline constexpr COLORREF kColours[7] = {
    RGB(0xD8, 0xDE, 0xE6),  // normal text
    RGB(0x12, 0x1A, 0x26),  // background
    RGB(0x7C, 0x88, 0x98),  // subdued
    RGB(0x7C, 0xC8, 0xFF),  // underlined
    RGB(0xFF, 0xB8, 0x4C),  // blinking
    RGB(0x12, 0x1A, 0x26),  // selected text
    RGB(0xFF, 0xE0, 0x80),  // selected background
};
inline constexpr const wchar_t* kFace = L"Courier New";
inline constexpr int kHeight = -18;

}  // namespace terminal_look
