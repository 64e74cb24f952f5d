// The main of every test binary: the tests run headless, and their user, runtime and home folders
// are fresh temporary folders, so no test can touch the real user's files or desktop.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "source/core/Singleton.h"
#include "tests/support/LeakSuppressions.h"
#include "tests/support/TempDir.h"

extern "C" const char* __lsan_default_suppressions() { return kLeakSuppressions; }

int main(int argc, char** argv) {
  static TempDir sandbox("velmaris-test");
  const std::string root = sandbox.Path();
  std::filesystem::create_directories(root + "/data");
  std::filesystem::create_directories(root + "/runtime");
  std::filesystem::create_directories(root + "/home");
  setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (root + "/runtime").c_str(), 1);
  setenv("HOME", (root + "/home").c_str(), 1);
  setenv("VELMARIS_HEADLESS", "1", 1);
  unsetenv("VELMARIS_DEBUG_OUTPUT");
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  DestroySingletons();
  return result;
}
