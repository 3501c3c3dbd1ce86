#include "brenmoor/windowing/Accelerators.h"

#include <algorithm>

#include "brenmoor/core/Desktop.h"
#include "brenmoor/core/HandleTable.h"
#include "brenmoor/windowing/MenuBar.h"

namespace {

struct AcceleratorTables : Desktop::Part {
  void CountAlive(std::map<std::string, std::ptrdiff_t>& alive) const override {
    alive["accelerator table"] += static_cast<std::ptrdiff_t>(tables.Count());
  }

  HandleTable<HACCEL, std::vector<ACCEL>> tables{0x40000000};
};

HandleTable<HACCEL, std::vector<ACCEL>>& Tables() { return Desktop::Current().Get<AcceleratorTables>().tables; }

bool Held(int key) { return GetKeyState(key) < 0; }

bool Matches(const ACCEL& entry, WPARAM key) {
  return (entry.fVirt & FVIRTKEY) != 0 && entry.key == key && ((entry.fVirt & FSHIFT) != 0) == Held(VK_SHIFT) &&
         ((entry.fVirt & FCONTROL) != 0) == Held(VK_CONTROL) && ((entry.fVirt & FALT) != 0) == Held(VK_MENU);
}

bool IsGrayedInMenu(HWND window, UINT command) {
  const UINT state = GetMenuState(GetMenu(window), command, MF_BYCOMMAND);
  return state != kNoMenuItem && (state & (MF_GRAYED | MF_DISABLED)) != 0;
}

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

int TranslateAccelerator(HWND window, HACCEL table, const MSG* message) {
  const std::vector<ACCEL>* entries = Tables().Find(table);
  if (entries == nullptr || message == nullptr || !IsWindow(window)) return false;
  if (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN) return false;
  const auto entry = std::find_if(entries->begin(), entries->end(),
                                  [message](const ACCEL& each) { return Matches(each, message->wParam); });
  if (entry == entries->end()) return false;
  if (IsWindowEnabled(window) && !IsGrayedInMenu(window, entry->cmd)) {
    SendMessage(window, WM_COMMAND, MAKEWPARAM(entry->cmd, 1));
  }
  return true;
}
