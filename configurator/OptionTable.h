#pragma once
// The configurator's command line as option words, each with the values
// that follow it.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace configurator {

class OptionTable {
 public:
  // Returns the number of distinct option words.
  std::size_t Parse(const std::vector<std::string>& arguments);

  // Value n of option word; nothing when the word or the value is absent.
  std::optional<std::string> Value(std::string_view word, std::size_t n) const;

  // Longer than one character, "-" first and no digit second.
  static bool IsOptionWord(std::string_view argument);

 private:
  std::map<std::string, std::vector<std::string>, std::less<>> options_;
};

}  // namespace configurator
