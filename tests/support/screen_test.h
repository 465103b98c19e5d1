// Fixture of the screen tests: a 1024 x 768 logical screen, fresh program data with the
// start-up defaults, no screen loaded, and a script that fails the test on any wait it does
// not expect.
#pragma once

#include <gtest/gtest.h>
#include <string>

#include "platform/screen.h"
#include "platform/ui/forms.h"
#include "platform/user_services.h"
#include "shell/mod1.h"

namespace quon::testing {

class ScreenTest : public ::testing::Test {
protected:
  void SetUp() override {
    UseScreen(15360, 11520);
    Forms::Clear();
    ended = 0;
    Forms::SetProgramEndHandler([this] { ++ended; });
    script.SetFaultHandler([](const std::string &what) { ADD_FAILURE() << what; });
  }
  void TearDown() override {
    Forms::Clear();
    Forms::SetProgramEndHandler(nullptr);
    EXPECT_TRUE(script.Done()) << script.Pending() << " scripted answers unused";
  }
  // A logical screen of this size, with the data module as the start-up leaves it.
  void UseScreen(int w, int h) {
    SetLogicalScreen(w, h);
    g = Mod1{};
    InitGlobals(w, h);
  }

  ScriptedServices script;
  int ended = 0;
};

} // namespace quon::testing
