// Project files: one gear with a small header (name, leader, drawing numbers,
// date, comment) in the INI format of the settings file, and the project
// operations of the menu: new, load, save, save as, erase.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "storage/questions.h"
#include "storage/settings.h"

namespace silvarone {

using Date = std::chrono::year_month_day;

// A calendar date of the years 1 to 9999.
bool IsValidDate(const Date& date);
// The date of that year, month and day; nothing unless it is a calendar date
// of the years 1 to 9999.
std::optional<Date> CalendarDate(int year, int month, int day);
// dd.MM.yyyy
std::string DateText(const Date& date);
Date Today();

// Day.month.year, month/day/year or year.month.day with "." or "/" (not
// both); the first reading that is a calendar date wins; anything else gives
// `today`.
Date ParseProjectDate(const std::string& text, const Date& today);

inline constexpr int kMaxCommentLines = 50;

struct ProjectData {
  std::string name;
  std::string leader;
  std::string drawing1;
  std::string drawing2;
  Date date;
  std::vector<std::string> comment;
};

void ReadProjectData(const IniDocument& document, ProjectData& data, const Date& today);
void WriteProjectData(IniDocument& document, const ProjectData& data);

// What a file dialog is for; the window gives it the title of that purpose.
enum class FileDialogPurpose {
  kOpenProject,
  kSaveProject,
  kSaveProjectAs,
  kEraseProject,
  kSaveReportPdf,
  kSavePicture,
  kSaveLogCsv,
};

// What a file dialog shows.
struct FileDialogSetup {
  FileDialogPurpose purpose = FileDialogPurpose::kOpenProject;
  std::string title{};  // in the language of the moment, given by the window
  std::string folder{};
  std::string filter{};      // "*.tvp"
  std::string presetName{};  // file name (or full path) preset in the dialog
  std::string defaultExtension{};
  // Opens in the folder and with the filter the open dialog last had (the
  // erase dialog shares it); folder and filter above count until it opened once.
  bool asOpenDialogLastWas = false;
};

// The dialogs and questions the project operations need. Questions return
// 1 for OK and 2 for Cancel (also when the dialog is closed).
class ProjectDialogs : public Questions {
 public:
  // The chosen path, or nothing when cancelled.
  virtual std::optional<std::string> ChooseFileToOpen(const FileDialogSetup& setup) = 0;
  virtual std::optional<std::string> ChooseFileToSave(const FileDialogSetup& setup) = 0;
};

// The project operations over the workspace, the project state and the
// project page, with the numbered messages and questions of each flow.
class ProjectController {
 public:
  // In memory, the settings are read once and no file is ever written.
  ProjectController(Workspace& workspace, ProjectState& project, ProjectData& data,
                    std::string settingsDirectory, ProjectDialogs& dialogs, bool inMemory = false);
  // It works on the window's state by reference: never copied.
  ProjectController(const ProjectController&) = delete;
  ProjectController& operator=(const ProjectController&) = delete;

  SettingsFile& settings() { return settings_; }

  // Reads the project file: its configuration replaces the current one, its
  // project data fill the page. False when the file could not be read (the
  // configuration stays as it was, the reason is shown). Nothing while no
  // project is open.
  bool ReadProjectFile(const std::string& path);
  // Writes the project file, but only when a save has armed the write;
  // nothing while no project is open. False when the write failed.
  bool WriteProjectFile(const std::string& path);
  // The write after every committed change: settings, then the project file
  // (which writes only when armed).
  bool WriteSettingsAndProject();

  void New();
  void Load();
  void Save();
  void SaveAs();
  void Erase();
  // The door button: offers to save the open project first.
  void BeforeExit();

  // Called after a load has replaced the configuration, so the window can
  // convert and apply it; and whenever the status line must be refreshed.
  std::function<void()> applyLoadedConfiguration;
  std::function<void()> refreshStatus;
  std::function<Date()> today = Today;

 private:
  void StoreProject();
  void AskToSaveOpenProject();
  FileDialogSetup SaveDialog(FileDialogPurpose purpose);
  FileDialogSetup OpenDialog(FileDialogPurpose purpose);
  std::string StartFolder() const;
  std::string PresetFromProjectName() const;
  bool HasProjectExtension(const std::string& path) const;
  void TakeNameAndFolder(const std::string& path);
  void RefreshStatus();

  Workspace& workspace_;
  ProjectState& project_;
  ProjectData& data_;
  std::string settingsDirectory_;
  ProjectDialogs& dialogs_;
  SettingsFile settings_;
  bool toldFolderNotStorable_ = false;
};

}  // namespace silvarone
