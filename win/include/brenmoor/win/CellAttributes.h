#pragma once
// The video attribute bits that key the layout's styles, and the numbers of
// the character sets a cell is shown in: defined once for the screen buffer,
// the layout, the renderer and the hosts' parsers. The public interfaces
// keep taking and giving them as plain ints.

namespace video {

constexpr int kNormal = 0x00;
constexpr int kBold = 0x01;
constexpr int kSubdued = 0x02;
constexpr int kUnderlined = 0x04;
constexpr int kBlinking = 0x08;
constexpr int kReverse = 0x10;
// Every attribute a host can set.
constexpr int kAttributes = kBold | kSubdued | kUnderlined | kBlinking | kReverse;
// The family of styles of selected cells.
constexpr int kSelected = 0x1000;
// A selected style keeps bold, underlined and reverse only.
constexpr int kSelectedKeyMask = kSelected | kBold | kUnderlined | kReverse;

}  // namespace video

namespace charset {

constexpr int kUsAscii = 0;
constexpr int kUkNational = 1;
constexpr int kSpecialGraphics = 2;
constexpr int kExtendedGraphics = 3;

}  // namespace charset
