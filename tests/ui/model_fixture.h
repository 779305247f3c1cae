// The main window's model started on a settings folder of a test's own,
// driven as a user drives the window.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "file_fixture.h"
#include "scripted_dialogs.h"
#include "storage/ini_document.h"
#include "storage/settings.h"
#include "ui/window_model.h"

namespace silvarone {

class Window : public testing::TempFolder {
 protected:
  void SetUp() override {
    testing::TempFolder::SetUp();
    home = folder_.string() + "/home/";
  }
  void TearDown() override {
    // A lookup of a name the window does not have is a programming error.
    EXPECT_EQ(model.unknownNames(), expectedUnknownNames);
    testing::TempFolder::TearDown();
  }
  // Starts the program, optionally on a settings file of these lines.
  void Start(const std::string& settings = "") {
    if (!settings.empty()) {
      std::filesystem::create_directories(home);
      std::ofstream(home + kSettingsFileName, std::ios::binary) << settings;
    }
    ASSERT_TRUE(model.Start({.settingsDirectory = home,
                             .programDirectory = std::string(SILVARONE_DATA_DIR) + "/",
                             .checkPdfViewer = false}));
    presenter.shown.clear();
  }
  // Types the text into the field and presses Enter.
  bool Enter(const std::string& field, const std::string& text) {
    model.Edited(field, text);
    return model.Confirm(field);
  }
  std::string Stored(const std::string& section, const std::string& key) const {
    return IniDocument(home + kSettingsFileName).ReadString(section, key, "<none>");
  }
  const std::string& Text(const std::string& field) const { return model.field(field).text; }

  std::string home;
  std::vector<std::string> expectedUnknownNames;
  testing::ScriptedDialogs presenter;
  WindowModel model{presenter};
};

// A spur gear m 2, z 20 on the calculation page.
inline void ExternalSpurGear(WindowModel& model) {
  model.SelectModuleSeries(kModuleManual);
  for (const auto& [field, text] : std::vector<std::pair<std::string, std::string>>{
           {"Input_m_n", "2"}, {"Input_z", "20"}, {"Input_Calc_kM", "3"}}) {
    model.Edited(field, text);
    model.Confirm(field);
  }
  model.SelectBall(kBallManual);
  model.Edited("D_M_Edit", "3.5");
  model.Edited("D_M_Edit", "3.5");
  model.Confirm("D_M_Edit");
  model.ChangePage(Page::kCalculation);
}

}  // namespace silvarone
