// The built program run as a user or a shop-floor script would run it, on
// a settings folder of the test's own, and project files written by the
// program's own project writer.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "file_fixture.h"
#include "scripted_dialogs.h"
#include "storage/project.h"

namespace silvarone {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

class CommandLine : public testing::TempFolder {
 protected:
  // Runs the program with SILVARONE_HOME pointing at our folder; `shell`
  // goes before it: commands ending in ';', variables, or a launcher with env.
  Outcome Silvarone(const std::string& arguments, const std::string& shell = "") {
    const std::string errFile = Path("stderr.txt");
    const std::string command = shell + " SILVARONE_HOME='" + Home() +
                                "' '" SILVARONE_EXECUTABLE "' " + arguments + " 2>'" + errFile +
                                "'";
    Outcome run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
      run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = Read("stderr.txt");
    return run;
  }
  std::string Home() const { return folder_.string() + "/home/"; }
  std::string SettingsFile() const { return Home() + kSettingsFileName; }
  void StoreSettings(const std::string& bytes) {
    std::filesystem::create_directories(Home());
    std::ofstream(SettingsFile(), std::ios::binary) << bytes;
  }

  // A project file written by the program's own project writer: the spur
  // gear m 2, z 20 (or `z`), ball 3.5 over 3 teeth.
  std::string WriteProject(const std::string& name, const std::string& drawing = "",
                           const std::string& z = "20") {
    std::filesystem::create_directories(Home() + "projects");
    Workspace workspace;
    ProjectState project;
    ProjectData data;
    testing::ScriptedDialogs dialogs;
    silvarone::SettingsFile(SettingsFilePath(Home())).Read(workspace, project, Home(), &dialogs);
    GearRecords& r = workspace.gear.rec;
    workspace.module.item = kModuleManual;
    workspace.module.manualText = "2";
    r.z.text = z;
    r.beta.text = "0";
    r.x.text = "0";
    r.k_given.text = "3";
    r.DM_given.text = "3.5";
    workspace.ball.item = kBallManual;
    r.D_M_manual.text = "3.5";
    workspace.toothCountMode = 1;
    r.k_M_manual.text = "3";
    data.name = "Ritzel 20";
    data.leader = "Prüfer";
    data.drawing1 = drawing;
    data.date = *CalendarDate(2025, 12, 24);
    ProjectController controller(workspace, project, data, Home(), dialogs);
    const std::string path = Home() + "projects/" + name;
    dialogs.files.push_back(path);
    controller.Save();
    EXPECT_TRUE(std::filesystem::exists(path));
    // The program's own settings stay as they were before the project.
    std::filesystem::remove(SettingsFilePath(Home()));
    return path;
  }
};

}  // namespace silvarone
