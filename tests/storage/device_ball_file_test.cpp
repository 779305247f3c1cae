// Where the instrument's ball file is saved and read: an installed program
// folder is not writable, so the editor's file must land in the settings
// folder and win over the shipped one at the next start.
#include "storage/device_ball_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "file_fixture.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;

class DeviceBallFile : public testing::TempFolder {
 protected:
  void SetUp() override {
    testing::TempFolder::SetUp();
    program = Path("program") + "/";
    settings = Path("home") + "/";
    fs::create_directories(program + "dat");
    fs::create_directories(settings);
    shipped = program + "dat/messkugel_VEK_001.dat";
    user = settings + "messkugel_VEK_001.dat";
  }
  std::string program, settings, shipped, user;
};

TEST_F(DeviceBallFile, ReadFromTheSettingsFolderFirst) {
  EXPECT_EQ(DeviceBallFileReadOrder(program, settings), (std::vector<std::string>{user, shipped}));
}

TEST_F(DeviceBallFile, SavedWhereItIsReadFirst) {
  struct Case {
    const char* situation;
    bool programFolder;  // dat/ of the program folder is there
    bool userCopy;       // the settings folder holds a saved ball file
    bool expectUser;
  };
  const Case cases[] = {
      {"program run from its build folder", true, false, false},
      {"a copy saved earlier in the settings folder", true, true, true},
      {"no dat/ folder to write into", false, false, true},
  };
  for (const Case& c : cases) {
    if (!c.programFolder) fs::remove_all(program + "dat");
    if (c.userCopy) Write("home/messkugel_VEK_001.dat", "1  3.000 mm\r\n");
    EXPECT_EQ(DeviceBallFilePath(program, settings), c.expectUser ? user : shipped) << c.situation;
    fs::create_directories(program + "dat");
    fs::remove(user);
  }
}

}  // namespace
}  // namespace silvarone
