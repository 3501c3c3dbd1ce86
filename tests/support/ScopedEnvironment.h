#pragma once
// Sets an environment variable for one test and restores it afterwards.

#include <cstdlib>
#include <optional>
#include <string>

namespace testsupport {

class ScopedEnvironment {
 public:
  using Value = std::optional<std::string>;  // nullopt: unset

  ScopedEnvironment(const char* name, const Value& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnvironment() { Set(old_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  void Set(const Value& value) { value ? setenv(name_, value->c_str(), 1) : unsetenv(name_); }
  const char* name_;
  Value old_;
};

}  // namespace testsupport
