#include "brenmoor/ui/CCmdTarget.h"

#include "brenmoor/windowing/Screen.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

int waitCursors = 0;

}  // namespace

int CCmdTarget::WaitCursorDepth() { return waitCursors; }
void CCmdTarget::BeginWaitCursor() {
  if (++waitCursors == 1) ShowBusyCursor(true);
}
void CCmdTarget::EndWaitCursor() {
  if (waitCursors > 0 && --waitCursors == 0) ShowBusyCursor(false);
}

const MessageMap* CCmdTarget::GetThisMessageMap() {
  static const MessageMap map{nullptr, {}};
  return &map;
}

const MessageMapEntry* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const {
  for (const MessageMap* map = GetMessageMap(); map != nullptr;
       map = map->base != nullptr ? map->base() : nullptr) {
    for (const MessageMapEntry& entry : map->entries) {
      if (entry.message == message && entry.code == code && entry.id == id) return &entry;
    }
  }
  return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id, UINT code) {
  const MessageMapEntry* entry = FindEntry(WM_COMMAND, code, id);
  if (entry == nullptr) return false;
  entry->call(*this, 0, 0);
  return true;
}
