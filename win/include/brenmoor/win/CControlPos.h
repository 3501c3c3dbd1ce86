#pragma once
// Keeps the controls of a resizable dialog or view anchored: when the parent
// changes size, each registered control moves and/or stretches with the
// parent's right or bottom edge. Call MoveControls from the parent's size
// handler.

#include <memory>
#include <vector>

#include "brenmoor/ui/CWnd.h"

// Anchor flags; any combination, each applied on its own.
constexpr DWORD AnchorMoveX = 0x1;
constexpr DWORD AnchorMoveY = 0x2;
constexpr DWORD AnchorSizeX = 0x4;
constexpr DWORD AnchorSizeY = 0x8;

class CControlPos {
 public:
  explicit CControlPos(CWnd* parent = nullptr);
  virtual ~CControlPos();
  CControlPos(const CControlPos&) = delete;
  CControlPos& operator=(const CControlPos&) = delete;

  // Takes the parent's client size as the reference size.
  void SetParent(CWnd* parent);
  // 1 when the control was registered; 0 without a parent or a control.
  int AddControl(CWnd* control, const DWORD& flags);
  int AddControl(const UINT& id, const DWORD& flags);
  // Removes the first record of the control; 1 when there was one.
  int RemoveControl(CWnd* control);
  int RemoveControl(const UINT& id);
  void ResetControls();
  virtual void MoveControls();
  // When off, the parent never counts as smaller than its reference size.
  void SetNegativeMoves(const int& negativeMoves) { negativeMoves_ = negativeMoves; }
  int GetNegativeMoves() const { return negativeMoves_; }

 protected:
  virtual void UpdateParentSize();

 private:
  struct Record {
    HWND control;  // not the object, which may be a temporary one
    DWORD flags;
  };

  CSize ParentSize() const;
  int Change(int now, int previous, int reference) const;

  CWnd* parent_ = nullptr;
  int previousWidth_ = 0;
  int previousHeight_ = 0;
  int referenceWidth_ = 0;
  int referenceHeight_ = 0;
  int negativeMoves_ = 0;
  std::vector<std::unique_ptr<Record>> controls_;
};
