// The test rig's contract: a test that did not declare the game's windows cannot bring them up.
#include <gtest/gtest.h>

#include <stdexcept>

#include "support/game_double.h"

namespace {

TEST(Rig, AnUndeclaredTestCannotBringUpTheGameDouble) { EXPECT_THROW(uia::GameInstall game, std::logic_error); }

}  // namespace
