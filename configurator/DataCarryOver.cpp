#include "DataCarryOver.h"

#include <string>

namespace configurator {

void CarryOverDataFiles(Operations& operations, const Invocation& invocation) {
  WaitCursor cursor(operations.System());
  operations.CopyDirectoryContents(invocation.secondDirectory, invocation.firstDirectory);
}

void CarryOverQuorState(Operations& operations, const Invocation& invocation) {
  WaitCursor cursor(operations.System());
  const std::string& oldDirectory = invocation.secondDirectory;
  const bool isUserDirectory = oldDirectory.find("user") != std::string::npos;
  const std::string file = isUserDirectory ? "persist.dat" : "IPAdrToDevice.txt";
  operations.RunShellCommand("copy \"" + oldDirectory + "\\" + file + "\" \"" +
                             invocation.firstDirectory + "\"");
}

void CopyLauncher(Operations& operations, const Invocation& invocation) {
  WaitCursor cursor(operations.System());
  operations.RunShellCommand("copy \"" + invocation.firstDirectory + "\\Morrant.exe\" C:\\");
}

}  // namespace configurator
