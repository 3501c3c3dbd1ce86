#include "brenmoor/core/WinTypes.h"

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude =
      ((product < 0 ? -product : product) + half) / (c < 0 ? -static_cast<std::int64_t>(c) : c);
  return static_cast<int>(negative ? -magnitude : magnitude);
}
