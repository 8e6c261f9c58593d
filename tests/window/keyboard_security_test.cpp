// Loading the keyboard-security module by name: a stand-in library built
// with the tests plays the module.
#include <gtest/gtest.h>

#include <cstdlib>

#include "window/keyboard_security.h"

namespace maltrove {
namespace {

TEST(KeyboardSecurityTest, LoadsStartsReadsAndUnloads) {
  KeyboardSecurity security;
  security.SetLibrary(SCSK_STANDIN_PATH);
  int edit = 0;
  ASSERT_TRUE(security.Load(&edit));
  EXPECT_TRUE(security.active());
  EXPECT_EQ(security.Text(), "보안 입력");
  security.Unload();
  EXPECT_FALSE(security.active());
  EXPECT_EQ(security.Text(), "");
}

TEST(KeyboardSecurityTest, AMissingLibraryOrARefusedStartLeavesNothingLoaded) {
  KeyboardSecurity missing;
  missing.SetLibrary("libNoSuchSecurityModule.so");
  int edit = 0;
  EXPECT_FALSE(missing.Load(&edit));
  EXPECT_FALSE(missing.active());

  KeyboardSecurity refused;
  refused.SetLibrary(SCSK_STANDIN_PATH);
  setenv("SCSK_STANDIN_REFUSE", "1", 1);
  EXPECT_FALSE(refused.Load(&edit));
  unsetenv("SCSK_STANDIN_REFUSE");
  EXPECT_FALSE(refused.active());
  EXPECT_EQ(refused.Text(), "");
}

TEST(KeyboardSecurityTest, TheDefaultBuildRunsWithoutTheModule) {
#ifdef MALTROVE_KEYBOARD_SECURITY
  EXPECT_TRUE(KeyboardSecurity::Available());
#else
  EXPECT_FALSE(KeyboardSecurity::Available());
#endif
}

}  // namespace
}  // namespace maltrove
