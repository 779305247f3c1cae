// The settings file: everything the user has set and the gear on screen, read
// at start-up and rewritten after every committed change. Its sections
// "common configuration" and "data" are also the first two sections of every
// project file.
#pragma once

#include <optional>
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

// The settings file as the program keeps it. Reads show why a file that
// exists could not be read and go on with the defaults. A failed save is told
// once, and again only after a save has succeeded in between: the window
// writes after every change, and one full disk is one message. In memory (the
// command line without --save) the file is read once and every later read
// and write works on that copy; the disk is never written.
class SettingsFile {
 public:
  explicit SettingsFile(std::string path, bool inMemory = false)
      : path_(std::move(path)), inMemory_(inMemory) {}

  const std::string& Path() const { return path_; }
  bool InMemory() const { return inMemory_; }
  // Saves that failed since the start.
  int FailedSaves() const { return failedSaves_; }

  // The configuration and the project location.
  void Read(Workspace& workspace, ProjectState& project, const std::string& settingsDirectory,
            MessageSink* messages);
  // Writes both and saves the file once. False when the save failed.
  bool Write(const Workspace& workspace, const ProjectState& project, MessageSink* messages);

 private:
  IniDocument& Load(bool reading, MessageSink* messages);

  std::string path_;
  bool inMemory_ = false;
  std::optional<IniDocument> document_;
  int failedSaves_ = 0;
  bool failing_ = false;
  std::optional<Problem> lastReadProblem_;
};

}  // namespace silvarone
