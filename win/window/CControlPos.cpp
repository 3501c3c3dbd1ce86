#include "brenmoor/win/CControlPos.h"

#include <algorithm>

CControlPos::CControlPos(CWnd* parent) : parent_(parent) {}

CControlPos::~CControlPos() { ResetControls(); }

void CControlPos::SetParent(CWnd* parent) {
  parent_ = parent;
  const CSize size = ParentSize();
  referenceWidth_ = size.cx;
  referenceHeight_ = size.cy;
  UpdateParentSize();
}

void CControlPos::UpdateParentSize() {
  if (parent_ == nullptr) return;
  const CSize size = ParentSize();
  previousWidth_ = size.cx;
  previousHeight_ = size.cy;
}

CSize CControlPos::ParentSize() const {
  CRect client;
  if (parent_ != nullptr) parent_->GetClientRect(&client);
  return {client.right, client.bottom};
}

int CControlPos::AddControl(CWnd* control, const DWORD& flags) {
  if (control == nullptr || parent_ == nullptr) return 0;
  controls_.push_back(std::make_unique<Record>(Record{control->GetSafeHwnd(), flags}));
  return 1;
}

int CControlPos::AddControl(const UINT& id, const DWORD& flags) {
  if (parent_ == nullptr) return 0;
  return AddControl(parent_->GetDlgItem(static_cast<int>(id)), flags);
}

int CControlPos::RemoveControl(CWnd* control) {
  if (control == nullptr) return 0;
  const auto found = std::find_if(controls_.begin(), controls_.end(), [control](const auto& record) {
    return record->control == control->GetSafeHwnd();
  });
  if (found == controls_.end()) return 0;
  controls_.erase(found);
  return 1;
}

int CControlPos::RemoveControl(const UINT& id) {
  if (parent_ == nullptr) return 0;
  return RemoveControl(parent_->GetDlgItem(static_cast<int>(id)));
}

void CControlPos::ResetControls() {
  while (!controls_.empty()) controls_.pop_back();
}

int CControlPos::Change(int now, int previous, int reference) const {
  if (negativeMoves_ != 0) return now - previous;
  return std::max(now, reference) - std::max(previous, reference);
}

void CControlPos::MoveControls() {
  if (parent_ == nullptr) return;
  const CSize size = ParentSize();
  const int dx = Change(size.cx, previousWidth_, referenceWidth_);
  const int dy = Change(size.cy, previousHeight_, referenceHeight_);
  for (const auto& record : controls_) {
    CWnd* control = CWnd::FromHandle(record->control);
    if (control == nullptr) continue;
    CRect rect;
    control->GetWindowRect(&rect);
    if ((record->flags & AnchorSizeY) != 0) rect.bottom += dy;
    if ((record->flags & AnchorSizeX) != 0) rect.right += dx;
    if ((record->flags & AnchorMoveY) != 0) rect.OffsetRect(0, dy);
    if ((record->flags & AnchorMoveX) != 0) rect.OffsetRect(dx, 0);
    parent_->ScreenToClient(&rect);
    control->MoveWindow(rect, true);
  }
  UpdateParentSize();
}
