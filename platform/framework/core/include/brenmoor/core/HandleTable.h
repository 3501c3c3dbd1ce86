#pragma once
// The system's objects of one kind by handle. A handle holds the kind's
// range, a slot and the slot's generation: a freed slot is reused, but the
// handle of a freed object never names the one that takes its place, and
// handles of different kinds never meet.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

template <typename Handle, typename Record>
class HandleTable {
 public:
  static constexpr std::uintptr_t kSlotBits = 16;
  static constexpr std::uintptr_t kGenerationBits = 12;
  static constexpr std::uintptr_t kSlotMask = (std::uintptr_t{1} << kSlotBits) - 1;
  static constexpr std::uintptr_t kGenerationMask = (std::uintptr_t{1} << kGenerationBits) - 1;

  // The range is the kind's own top bits, e.g. 0x10000000.
  explicit HandleTable(std::uintptr_t range) : range_(range) {}
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;

  // Null when every slot is taken.
  Handle Add(Record record) {
    std::size_t slot = slots_.size();
    if (!free_.empty()) {
      slot = free_.back();
      free_.pop_back();
    } else if (slot == kSlotMask) {
      return nullptr;
    } else {
      slots_.emplace_back();
    }
    slots_[slot].record = std::make_unique<Record>(std::move(record));
    return MakeHandle(slot);
  }

  // Null for a dead or foreign handle. The record stays where it is while it lives.
  Record* Find(Handle handle) {
    Slot* slot = SlotOf(handle);
    return slot != nullptr ? slot->record.get() : nullptr;
  }

  bool Remove(Handle handle) {
    Slot* slot = SlotOf(handle);
    if (slot == nullptr) return false;
    // The record goes last: its destructor may look at the table.
    std::unique_ptr<Record> doomed = std::move(slot->record);
    slot->generation = (slot->generation + 1) & kGenerationMask;
    free_.push_back(static_cast<std::size_t>(slot - slots_.data()));
    doomed.reset();
    return true;
  }

  std::size_t Count() const { return slots_.size() - free_.size(); }

  template <typename Visit>
  void ForEach(Visit visit) {
    for (Slot& slot : slots_) {
      if (slot.record != nullptr) visit(*slot.record);
    }
  }

 private:
  struct Slot {
    std::uintptr_t generation = 0;
    std::unique_ptr<Record> record;
  };

  Handle MakeHandle(std::size_t slot) const {
    const std::uintptr_t value = range_ | (slots_[slot].generation << kSlotBits) | (slot + 1);
    return reinterpret_cast<Handle>(value);
  }

  Slot* SlotOf(Handle handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    const std::uintptr_t slot = value & kSlotMask;
    if (slot == 0 || slot > slots_.size()) return nullptr;
    Slot& entry = slots_[slot - 1];
    if (entry.record == nullptr || value != (range_ | (entry.generation << kSlotBits) | slot)) return nullptr;
    return &entry;
  }

  std::uintptr_t range_;
  std::vector<Slot> slots_;
  std::vector<std::size_t> free_;
};
