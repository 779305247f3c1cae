// The settings file: everything the user has set and the gear on screen, read
// at start-up and rewritten after every committed change. Its sections
// "common configuration" and "data" are also the first two sections of every
// project file.
#pragma once

#include <string>

#include "core/gear.h"
#include "device/instrument.h"
#include "device/series.h"
#include "device/tolerance_tables.h"
#include "storage/ini_document.h"

namespace silvarone {

inline constexpr const char* kSettingsFileName = "diruvavida_roduzaz.ini";
inline constexpr const char* kProjectsFolder = "projects";

// Everything the two configuration sections hold.
struct Workspace {
  Gear gear;
  ModuleChoice module;
  BallChoice ball;
  int toothCountMode = 0;  // 0 recommended, 1 entered (2 as stored)
  InstrumentState instrument;
  ToleranceState tolerance;
  int manualToleranceMode = 0;  // 1 while deviations are typed by hand
  int calculationKind = 0;      // deviation factors (0) or generating profile shift (1)
};

// Where projects live and which one is open.
struct ProjectState {
  std::string extension = "tvp";  // without the dot
  std::string fileName;           // with extension; empty while none is open
  std::string directory;          // without trailing separator
  std::string filePath;
  bool noProjectOpen = true;
  bool writeArmed = false;
  bool loading = false;
};

std::string SettingsFilePath(const std::string& settingsDirectory);
// settingsDirectory + "projects".
std::string DefaultProjectDirectory(const std::string& settingsDirectory);

void ReadConfiguration(const IniDocument& document, Workspace& workspace);
void WriteConfiguration(IniDocument& document, const Workspace& workspace);
void ReadProjectLocation(const IniDocument& document, ProjectState& project,
                         const std::string& settingsDirectory);
void WriteProjectLocation(IniDocument& document, const ProjectState& project);

// "r" or "R" reads the configuration and the project location from the file
// at `path`; any other letter writes both and saves the file once. A failed
// save shows "In <path> kann nicht geschrieben werden" and returns false.
bool AccessSettingsFile(char direction, const std::string& path, Workspace& workspace,
                        ProjectState& project, const std::string& settingsDirectory,
                        MessageSink* messages);

}  // namespace silvarone
