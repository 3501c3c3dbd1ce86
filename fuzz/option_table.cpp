// The configurator's option table: every option word of any command line
// becomes an entry with a first value, and nothing else does.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "OptionTable.h"

using configurator::OptionTable;

// The arguments are the pieces between NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> arguments = fuzzing::SplitAt(fuzzing::AsText(data, size), '\0');
  OptionTable options;
  const std::size_t count = options.Parse(arguments);
  std::set<std::string> words;
  for (const std::string& argument : arguments) {
    if (OptionTable::IsOptionWord(argument)) {
      words.insert(argument);
      fuzzing::Require(options.Value(argument, 0).has_value(), "an option word has a first value");
    } else {
      fuzzing::Require(!options.Value(argument, 0).has_value(), "only option words are entries");
    }
  }
  fuzzing::Require(count == words.size(), "the count is that of distinct option words");
  return 0;
}
