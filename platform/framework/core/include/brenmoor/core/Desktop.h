#pragma once
// What the system keeps for one session: each layer's part (the open files;
// bitmaps and icons; windows, menus, the clipboard and accelerator tables;
// the framework's objects for windows; the printer; the user), made on first
// use. The process has one desktop for its life; a test makes a fresh one,
// which stands in for it until the test's goes.

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class Desktop {
 public:
  // One layer's share; it goes with its desktop, the latest made first.
  class Part {
   public:
    virtual ~Part() = default;
    // Adds what somebody made and never freed, by kind ("window"); a part
    // that takes over another's objects (the clipboard) takes them off.
    virtual void CountAlive(std::map<std::string, std::ptrdiff_t>&) const {}
  };

  // Current from now until it goes.
  Desktop();
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  static Desktop& Current();

  template <typename P>
  P& Get() {
    static const char key = 0;
    if (Part* found = Find(&key)) return static_cast<P&>(*found);
    return static_cast<P&>(Keep(&key, std::make_unique<P>()));
  }

  // A line per kind, in the order of the kinds' names: "1 menu", "2 windows".
  std::vector<std::string> LeftAlive() const;

 private:
  Part* Find(const void* key) const;
  Part& Keep(const void* key, std::unique_ptr<Part> part);

  std::vector<std::pair<const void*, std::unique_ptr<Part>>> parts_;
  Desktop* previous_;
};
