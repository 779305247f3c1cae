// Where the instrument's ball file is saved and read: an installed program
// folder is not writable, so the editor's file must land in the settings
// folder and win over the shipped one at the next start.
#include "storage/device_ball_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "file_fixture.h"
#include "row_name.h"

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

struct SaveCase {
  const char* name;
  bool programFolder;  // dat/ of the program folder is there
  bool userCopy;       // the settings folder holds a saved ball file
  bool expectUser;
};

SILVARONE_PRINT_ROW_NAME(SaveCase)

class DeviceBallFileSave : public DeviceBallFile, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(DeviceBallFileSave, SavedWhereItIsReadFirst) {
  const SaveCase& c = GetParam();
  if (!c.programFolder) fs::remove_all(program + "dat");
  if (c.userCopy) Write("home/messkugel_VEK_001.dat", "1  3.000 mm\r\n");
  EXPECT_EQ(DeviceBallFilePath(program, settings), c.expectUser ? user : shipped) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    DeviceBallFile, DeviceBallFileSave,
    ::testing::Values(SaveCase{"ProgramRunFromItsBuildFolder", true, false, false},
                      SaveCase{"CopySavedEarlierInTheSettingsFolder", true, true, true},
                      SaveCase{"NoDatFolderToWriteInto", false, false, true}),
    testing::RowName);

}  // namespace
}  // namespace silvarone
