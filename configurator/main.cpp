#include <cstdio>

#include "Configurator.h"
#include "MachineSystem.h"

int main(int argc, char** argv) {
  std::string error;
  auto system = platform::OpenMachineSystem(error);
  if (!system) {
    std::fprintf(stderr, "kelvane: %s\n", error.c_str());
    return 1;
  }
  configurator::Configurator(*system).Run(platform::ProgramArguments(argc, argv));
  return 0;
}
