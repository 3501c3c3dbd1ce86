#pragma once
// The system's objects of one kind by handle. Handles count up from the
// kind's own first value and are never reused, so a dead handle never names
// a new object and handles of different kinds never meet.

#include <cstdint>
#include <map>
#include <utility>

template <typename Handle, typename Record>
class HandleTable {
 public:
  explicit HandleTable(std::uintptr_t first) : next_(first) {}

  Handle Add(Record record) {
    const std::uintptr_t handle = next_++;
    records_.emplace(handle, std::move(record));
    return reinterpret_cast<Handle>(handle);
  }
  // Null for a dead or foreign handle.
  Record* Find(Handle handle) {
    auto found = records_.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == records_.end() ? nullptr : &found->second;
  }
  bool Remove(Handle handle) { return records_.erase(reinterpret_cast<std::uintptr_t>(handle)) != 0; }

 private:
  std::uintptr_t next_;
  std::map<std::uintptr_t, Record> records_;
};
