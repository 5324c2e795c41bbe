#pragma once
// A test of the real program on a private desktop; the program's output is
// printed when the test fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "desktop_session.h"

namespace orvana::testing {

// Generous: the sanitizer builds start slowly on a busy machine.
constexpr int kStartMs = 20000;
constexpr int kExitMs = 20000;

class DesktopProgram : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(session.Ready()) << "no private X server could be started"; }
  void TearDown() override {
    if (HasFailure()) std::printf("--- program output:\n%s\n", session.Log().c_str());
  }

  std::string ListFile() const { return session.ReadFile(session.ProgramFolder() + "/orvana.lst"); }
  std::string SettingsFile() const { return session.ReadFile(session.ProgramFolder() + "/orvana.ini"); }
  void WriteSettings(const std::string& text) const { session.WriteFile(session.ProgramFolder() + "/orvana.ini", text); }

  TDesktopSession session;
};

}  // namespace orvana::testing
