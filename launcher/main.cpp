#include <cstdio>

#include "Launcher.h"
#include "MachineSystem.h"

int main(int argc, char** argv) {
  std::string error;
  auto system = platform::OpenMachineSystem(error);
  if (!system) {
    std::fprintf(stderr, "morrant: %s\n", error.c_str());
    return 1;
  }
  launcher::Launcher(*system).Run(platform::ProgramArguments(argc, argv));
  return 0;
}
