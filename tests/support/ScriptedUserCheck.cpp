// Linked into the framework's and libwin's test programs: a scripted user
// that ends with expectations left fails the test it ran in, without the
// test asking.

#include <gtest/gtest.h>

#include "brenmoor/app/ScriptedUser.h"

namespace {

void FailTheTest(const std::string& unused) { ADD_FAILURE() << unused; }

const ScriptedUser::UnusedHandler kInstalled = ScriptedUser::SetUnusedHandler(&FailTheTest);

}  // namespace
