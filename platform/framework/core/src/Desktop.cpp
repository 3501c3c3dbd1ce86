#include "brenmoor/core/Desktop.h"

namespace {

Desktop*& Installed() {
  static Desktop* current = nullptr;
  return current;
}

}  // namespace

Desktop::Desktop() : previous_(std::exchange(Installed(), this)) {}

Desktop::~Desktop() {
  // A part going may still look at the others, so they stay current until the end.
  while (!parts_.empty()) {
    std::unique_ptr<Part> part = std::move(parts_.back().second);
    parts_.pop_back();
    part.reset();
  }
  Installed() = previous_;
}

Desktop& Desktop::Current() {
  // The process's own is never destroyed: objects that outlive main may still reach it.
  if (Installed() == nullptr) new Desktop;
  return *Installed();
}

std::vector<std::string> Desktop::LeftAlive() const {
  std::map<std::string, std::ptrdiff_t> alive;
  for (const auto& part : parts_) part.second->CountAlive(alive);
  std::vector<std::string> lines;
  for (const auto& [kind, count] : alive) {
    if (count != 0) lines.push_back(std::to_string(count) + " " + kind + (count == 1 ? "" : "s"));
  }
  return lines;
}

Desktop::Part* Desktop::Find(const void* key) const {
  for (const auto& part : parts_) {
    if (part.first == key) return part.second.get();
  }
  return nullptr;
}

Desktop::Part& Desktop::Keep(const void* key, std::unique_ptr<Part> part) {
  parts_.emplace_back(key, std::move(part));
  return *parts_.back().second;
}
