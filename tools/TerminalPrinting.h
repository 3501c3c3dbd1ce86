#pragma once
// The terminal screen on paper: one A4 landscape page, in the largest
// monospace font that puts the whole screen on it.

#include <string>

class ScreenBuffer;

// False when the file could not be written.
bool PrintScreen(ScreenBuffer& screen, const std::string& pdfFile);
