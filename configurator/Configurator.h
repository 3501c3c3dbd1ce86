#pragma once
// The configurator's application object: it reads the command line, logs
// the call in C:\Kelvane.txt, checks it and runs the one command it names.

#include <string>
#include <string_view>
#include <vector>

#include "Invocation.h"
#include "OptionTable.h"
#include "Operations.h"

namespace configurator {

class Configurator {
 public:
  static constexpr std::string_view kRunLog = "C:\\Kelvane.txt";

  explicit Configurator(platform::System& system) : operations_(system) {}

  // One whole run; the program then ends with status 0, whatever happened.
  void Run(const std::vector<std::string>& arguments);

 private:
  static Invocation SelectInvocation(const OptionTable& options);
  void LogInvocation(const Invocation& invocation);
  void ShowUsage(std::string_view reason);
  void Dispatch(const Invocation& invocation);

  Operations operations_;
};

}  // namespace configurator
