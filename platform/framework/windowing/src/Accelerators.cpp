#include "brenmoor/windowing/Accelerators.h"

#include <algorithm>

#include "brenmoor/core/Desktop.h"
#include "brenmoor/core/HandleTable.h"

namespace {

struct AcceleratorTables : Desktop::Part {
  void CountAlive(std::map<std::string, std::ptrdiff_t>& alive) const override {
    alive["accelerator table"] += static_cast<std::ptrdiff_t>(tables.Count());
  }

  HandleTable<HACCEL, std::vector<ACCEL>> tables{0x40000000};
};

HandleTable<HACCEL, std::vector<ACCEL>>& Tables() { return Desktop::Current().Get<AcceleratorTables>().tables; }

}  // namespace

HACCEL CreateAcceleratorTableW(const ACCEL* entries, int count) {
  if (entries == nullptr || count <= 0) return nullptr;
  return Tables().Add(std::vector<ACCEL>(entries, entries + count));
}

HACCEL LoadAccelerators(HINSTANCE module, UINT id) {
  const AcceleratorTemplate* table = AfxFindResource<AcceleratorTemplate>(module, id);
  return table != nullptr ? CreateAcceleratorTableW(table->data(), static_cast<int>(table->size())) : nullptr;
}

BOOL DestroyAcceleratorTable(HACCEL table) {
  return Tables().Remove(table);
}

int CopyAcceleratorTableW(HACCEL table, ACCEL* entries, int count) {
  const std::vector<ACCEL>* found = Tables().Find(table);
  if (found == nullptr) return 0;
  const auto& held = *found;
  if (entries == nullptr) return static_cast<int>(held.size());
  const int copied = std::clamp(count, 0, static_cast<int>(held.size()));
  std::copy_n(held.begin(), copied, entries);
  return copied;
}
