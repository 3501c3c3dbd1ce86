#pragma once
// Lists walked by position, as the framework's collections are: a POSITION
// names an element and stays valid while other elements are added or
// removed, so a caller may remove the element it just passed.

#include <cstddef>
#include <utility>

#include "brenmoor/core/CString.h"

struct PositionTag;
using POSITION = PositionTag*;

template <typename Type, typename ArgType = const Type&>
class CList {
 public:
  CList() = default;
  ~CList() { RemoveAll(); }
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;

  int GetCount() const { return count_; }
  bool IsEmpty() const { return count_ == 0; }
  POSITION GetHeadPosition() const { return ToPosition(head_); }
  POSITION GetTailPosition() const { return ToPosition(tail_); }
  Type& GetHead() { return head_->value; }
  const Type& GetHead() const { return head_->value; }

  POSITION AddTail(ArgType value) {
    Node* node = new Node{Type(value), tail_, nullptr};
    (tail_ != nullptr ? tail_->next : head_) = node;
    tail_ = node;
    ++count_;
    return ToPosition(node);
  }
  POSITION AddHead(ArgType value) {
    Node* node = new Node{Type(value), nullptr, head_};
    (head_ != nullptr ? head_->previous : tail_) = node;
    head_ = node;
    ++count_;
    return ToPosition(node);
  }
  // The element at the position; the position moves on to the next (null after the last).
  Type& GetNext(POSITION& position) const {
    Node* node = FromPosition(position);
    position = ToPosition(node->next);
    return node->value;
  }
  Type& GetAt(POSITION position) const { return FromPosition(position)->value; }
  void RemoveAt(POSITION position) {
    Node* node = FromPosition(position);
    (node->previous != nullptr ? node->previous->next : head_) = node->next;
    (node->next != nullptr ? node->next->previous : tail_) = node->previous;
    delete node;
    --count_;
  }
  // The first position holding the value, or null.
  POSITION Find(ArgType value) const {
    for (Node* node = head_; node != nullptr; node = node->next) {
      if (node->value == value) return ToPosition(node);
    }
    return nullptr;
  }
  void RemoveAll() {
    while (head_ != nullptr) RemoveAt(ToPosition(head_));
  }

 private:
  struct Node {
    Type value;
    Node* previous;
    Node* next;
  };
  static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }
  static Node* FromPosition(POSITION position) { return reinterpret_cast<Node*>(position); }

  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  int count_ = 0;
};

class CStringList : public CList<CString> {};
class CPtrList : public CList<void*, void*> {};
