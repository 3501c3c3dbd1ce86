#include "OptionTable.h"

#include <cctype>

namespace configurator {

bool OptionTable::IsOptionWord(std::string_view argument) {
  return argument.size() > 1 && argument[0] == '-' &&
         !std::isdigit(static_cast<unsigned char>(argument[1]));
}

std::size_t OptionTable::Parse(const std::vector<std::string>& arguments) {
  options_.clear();
  std::string current;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (IsOptionWord(argument)) {
      current = argument;
      std::string first;
      if (i + 1 < arguments.size() && !IsOptionWord(arguments[i + 1])) first = arguments[++i];
      // A repeated option word keeps its first entry; this first value is dropped.
      options_.try_emplace(current, std::vector<std::string>{std::move(first)});
    } else if (auto entry = options_.find(current); entry != options_.end()) {
      entry->second.push_back(argument);
    }
  }
  return options_.size();
}

std::optional<std::string> OptionTable::Value(std::string_view word, std::size_t n) const {
  auto entry = options_.find(word);
  if (entry == options_.end() || entry->second.size() <= n) return std::nullopt;
  return entry->second[n];
}

}  // namespace configurator
