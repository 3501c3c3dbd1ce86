#include "Accelerators.h"

#include <algorithm>
#include <map>

namespace {

struct AcceleratorTables {
  std::uintptr_t next = 0x40000000;  // each kind of handle has its own range
  std::map<std::uintptr_t, std::vector<ACCEL>> tables;
};

AcceleratorTables& Tables() {
  static AcceleratorTables tables;
  return tables;
}

}  // namespace

HACCEL CreateAcceleratorTableW(const ACCEL* entries, int count) {
  if (entries == nullptr || count <= 0) return nullptr;
  const std::uintptr_t handle = Tables().next++;
  Tables().tables[handle].assign(entries, entries + count);
  return reinterpret_cast<HACCEL>(handle);
}

BOOL DestroyAcceleratorTable(HACCEL table) {
  return Tables().tables.erase(reinterpret_cast<std::uintptr_t>(table)) != 0;
}

int CopyAcceleratorTableW(HACCEL table, ACCEL* entries, int count) {
  auto found = Tables().tables.find(reinterpret_cast<std::uintptr_t>(table));
  if (found == Tables().tables.end()) return 0;
  const auto& held = found->second;
  if (entries == nullptr) return static_cast<int>(held.size());
  const int copied = std::clamp(count, 0, static_cast<int>(held.size()));
  std::copy_n(held.begin(), copied, entries);
  return copied;
}
