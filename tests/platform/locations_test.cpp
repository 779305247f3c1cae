// Where the settings live.
#include "platform/locations.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "scoped_env.h"

namespace silvarone::platform {
namespace {

using testing::ScopedEnv;

TEST(Locations, SettingsDirectory) {
  {
    ScopedEnv home("SILVARONE_HOME", "/tmp/silvarone-a");
    EXPECT_EQ(SettingsDirectory(), "/tmp/silvarone-a/");
  }
  {
    ScopedEnv home("SILVARONE_HOME", "/tmp/silvarone-b/");
    EXPECT_EQ(SettingsDirectory(), "/tmp/silvarone-b/");
  }
  {
    ScopedEnv unset("SILVARONE_HOME", nullptr);
    ScopedEnv user("HOME", "/home/inspector");
    EXPECT_EQ(SettingsDirectory(), "/home/inspector/Silvarone/");
  }
}

TEST(Locations, TodayIsADate) {
  const std::string today = TodayText();
  ASSERT_EQ(today.size(), 10u);
  EXPECT_EQ(today[2], '.');
  EXPECT_EQ(today[5], '.');
}

}  // namespace
}  // namespace silvarone::platform
