#pragma once
// Commands that carry files over into a new installation: the data files of
// a tool ("DREX", "PELL"), the state file of "QUOR", and the launcher
// program copied to C:\ ("HOBB").

#include "Invocation.h"
#include "Operations.h"

namespace configurator {

// Every file, not the folders, of the old (second) directory into the new (first).
void CarryOverDataFiles(Operations& operations, const Invocation& invocation);
// persist.dat from a user directory, IPAdrToDevice.txt from a data directory.
void CarryOverQuorState(Operations& operations, const Invocation& invocation);
void CopyLauncher(Operations& operations, const Invocation& invocation);

}  // namespace configurator
