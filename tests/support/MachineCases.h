#pragma once
// Parameterised tests that run each case of a table on a kind of machine:
// the parameters and the tests' names ("Emulated_Name", "Wine_Name").

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "TestedMachine.h"

namespace testsupport {

template <typename Case>
using MachineCase = std::tuple<MachineKind, Case>;

// Every case on the emulated machine, then every case on wine.
template <typename Case>
std::vector<MachineCase<Case>> OnBothMachines(const std::vector<Case>& cases) {
  std::vector<MachineCase<Case>> all;
  for (MachineKind kind : {MachineKind::Emulated, MachineKind::Wine}) {
    for (const Case& c : cases) all.emplace_back(kind, c);
  }
  return all;
}

template <typename Case>
std::string MachineCaseName(const testing::TestParamInfo<MachineCase<Case>>& param) {
  return std::string(KindName(std::get<0>(param.param))) + "_" + std::get<1>(param.param).name;
}

}  // namespace testsupport
