#pragma once
// Numbers read from text as the Windows C runtime reads them, whatever the
// locale of this process: hosts sort and compare by these values.

namespace crt {

// As _wtoi: blanks or tabs, an optional sign, then decimal digits up to the
// first other character; 0 when there are none. A value beyond 32 bits gives
// the nearest 32-bit limit.
int wtoi(const wchar_t* text);

// As atof: blanks or tabs, an optional sign, digits with an optional "."
// (a digit on at least one side), an optional exponent; 0.0 when nothing
// fits. The decimal point is always ".".
double atof(const char* text);

}  // namespace crt
