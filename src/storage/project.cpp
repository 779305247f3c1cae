#include "storage/project.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

#include "core/text_file.h"
#include "device/table_text.h"
#include "platform/file_system.h"
#include "platform/locations.h"

namespace silvarone {
namespace fs = std::filesystem;

namespace {

constexpr const char* kSection = "project data";

bool Exists(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::exists(path, error);
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

}  // namespace

bool IsValidDate(const Date& date) {
  return date.ok() && date.year() >= std::chrono::year{1} && date.year() <= std::chrono::year{9999};
}

std::string DateText(const Date& date) {
  return platform::DateText(date);
}

Date Today() {
  return platform::LocalToday();
}

std::optional<Date> CalendarDate(int year, int month, int day) {
  // Checked before the conversion: the chrono types keep only the low bits.
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) {
    return std::nullopt;
  }
  const Date date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                  std::chrono::day{static_cast<unsigned>(day)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

Date ParseProjectDate(const std::string& text, const Date& today) {
  const auto points = std::count(text.begin(), text.end(), '.');
  const auto slashes = std::count(text.begin(), text.end(), '/');
  std::string separators;
  if (points > 0 && slashes == 0) separators = ". ";
  if (slashes > 0 && points == 0) separators = "/ ";
  if (separators.empty()) return today;
  const auto fields = SplitFields(text, separators, 4);
  if (fields.size() != 3) return today;
  int n[3];
  for (int i = 0; i < 3; ++i) {
    const auto value = ParseInteger(fields[static_cast<std::size_t>(i)]);
    if (!value) return today;
    n[i] = *value;
  }
  for (const auto& [year, month, day] :
       {std::array{n[2], n[1], n[0]}, std::array{n[2], n[0], n[1]}, std::array{n[0], n[1], n[2]}}) {
    if (const auto date = CalendarDate(year, month, day)) return *date;
  }
  return today;
}

void ReadProjectData(const IniDocument& document, ProjectData& data, const Date& today) {
  data.name = document.ReadString(kSection, "project name", "");
  data.leader = document.ReadString(kSection, "project leader", "");
  data.drawing1 = document.ReadString(kSection, "drawing 1", "");
  data.drawing2 = document.ReadString(kSection, "drawing 2", "");
  const std::string date = document.ReadString(kSection, "project date", "");
  data.date = date.empty() ? today : ParseProjectDate(date, today);
  const int count = std::min(document.ReadInteger(kSection, "comment lines", 0), kMaxCommentLines);
  data.comment.clear();
  for (int i = 1; i <= count; ++i) {
    data.comment.push_back(document.ReadString(kSection, "comment line " + std::to_string(i), ""));
  }
}

void WriteProjectData(IniDocument& document, const ProjectData& data) {
  document.WriteString(kSection, "project name", data.name);
  document.WriteString(kSection, "project leader", data.leader);
  document.WriteString(kSection, "drawing 1", data.drawing1);
  document.WriteString(kSection, "drawing 2", data.drawing2);
  document.WriteString(kSection, "project date", DateText(data.date));
  const int count = std::min(static_cast<int>(data.comment.size()), kMaxCommentLines);
  document.WriteInteger(kSection, "comment lines", count);
  for (int i = 1; i <= count; ++i) {
    document.WriteString(kSection, "comment line " + std::to_string(i),
                         data.comment[static_cast<std::size_t>(i - 1)]);
  }
}

ProjectController::ProjectController(Workspace& workspace, ProjectState& project, ProjectData& data,
                                     std::string settingsDirectory, ProjectDialogs& dialogs,
                                     bool inMemory)
    : workspace_(workspace),
      project_(project),
      data_(data),
      settingsDirectory_(std::move(settingsDirectory)),
      dialogs_(dialogs),
      settings_(SettingsFilePath(settingsDirectory_), inMemory) {}

bool ProjectController::ReadProjectFile(const std::string& path) {
  if (project_.noProjectOpen) return true;
  const IniDocument document(path);
  // A project that cannot be read replaces nothing: no gear of defaults.
  if (document.ReadProblem()) {
    dialogs_.ShowProblem(*document.ReadProblem());
    return false;
  }
  // The project's gear replaces the current one whole: what the file does
  // not hold starts as at a start, not as the previous gear left it.
  InitParameters(workspace_.gear.rec);
  ReadConfiguration(document, workspace_);
  ReadProjectData(document, data_, today());
  return true;
}

bool ProjectController::WriteProjectFile(const std::string& path) {
  if (project_.noProjectOpen || !project_.writeArmed || settings_.InMemory()) return true;
  IniDocument document(path);
  WriteConfiguration(document, workspace_);
  WriteProjectData(document, data_);
  project_.writeArmed = false;
  if (document.Save()) return true;
  dialogs_.ShowProblem({.kind = ProblemKind::kCannotWrite, .path = path});
  return false;
}

bool ProjectController::WriteSettingsAndProject() {
  if (!settings_.Write(workspace_, project_, &dialogs_)) return false;
  return WriteProjectFile(project_.filePath);
}

void ProjectController::StoreProject() {
  if (!settings_.Write(workspace_, project_, &dialogs_)) return;
  project_.writeArmed = true;
  WriteProjectFile(project_.filePath);
}

void ProjectController::AskToSaveOpenProject() {
  if (!project_.noProjectOpen &&
      dialogs_.AskConfirmation(kAskSaveProject, project_.fileName) == kAnswerOk) {
    Save();
  }
}

std::string ProjectController::StartFolder() const {
  return IsFolder(project_.directory) ? project_.directory
                                      : DefaultProjectDirectory(settingsDirectory_);
}

std::string ProjectController::PresetFromProjectName() const {
  // The letters tvp whatever extension is configured.
  return data_.name.empty() ? "*.tvp" : data_.name + ".tvp";
}

FileDialogSetup ProjectController::OpenDialog(FileDialogPurpose purpose) {
  const std::string filter = "*." + project_.extension;
  return {.purpose = purpose,
          .folder = StartFolder(),
          .filter = filter,
          .presetName = filter,
          .defaultExtension = project_.extension};
}

FileDialogSetup ProjectController::SaveDialog(FileDialogPurpose purpose) {
  if (project_.extension.empty()) project_.extension = "tvp";
  return {.purpose = purpose,
          .folder = StartFolder(),
          .filter = "*." + project_.extension,
          .defaultExtension = project_.extension};
}

bool ProjectController::HasProjectExtension(const std::string& path) const {
  const std::string extension = fs::path(path).extension().string();
  return !extension.empty() && extension == "." + project_.extension;
}

void ProjectController::TakeNameAndFolder(const std::string& path) {
  project_.filePath = path;
  project_.fileName = fs::path(path).filename().string();
  // The settings file is Windows-1252: a folder it cannot hold would come
  // back as a folder of question marks. The dialogs keep opening in the
  // folder they had, and the user hears why once.
  const std::string folder = fs::path(path).parent_path().string();
  if (FitsCp1252(folder)) {
    project_.directory = folder;
  } else if (!toldFolderNotStorable_) {
    toldFolderNotStorable_ = true;
    dialogs_.ShowProblem(
        {.kind = ProblemKind::kFolderNotStorable, .path = folder, .detail = project_.directory});
  }
}

void ProjectController::RefreshStatus() {
  if (refreshStatus) refreshStatus();
}

void ProjectController::New() {
  AskToSaveOpenProject();
  project_.noProjectOpen = true;
  project_.filePath.clear();
  project_.fileName.clear();
  data_ = ProjectData{};
  data_.date = today();
  settings_.Write(workspace_, project_, &dialogs_);
  // Consumed by the first write of the next project opened or saved.
  project_.writeArmed = true;
  WriteProjectFile(project_.filePath);
  RefreshStatus();
  project_.loading = false;
}

void ProjectController::Load() {
  AskToSaveOpenProject();
  project_.loading = true;
  const auto chosen = dialogs_.ChooseFileToOpen(OpenDialog(FileDialogPurpose::kOpenProject));
  if (!chosen) {
    dialogs_.ShowNumberedMessage(kMessageProjectNotLoaded, "", "");
  } else {
    TakeNameAndFolder(*chosen);
    if (!HasProjectExtension(*chosen)) {
      dialogs_.ShowNumberedMessage(kMessageNoProjectFileChosen, "", "");
    } else {
      project_.noProjectOpen = false;
      const Language language = workspace_.gear.state.language;
      if (!ReadProjectFile(project_.filePath)) {
        project_.noProjectOpen = true;
      } else {
        WriteSettingsAndProject();
        // A project keeps the language the user works in.
        workspace_.gear.state.language = language;
        if (applyLoadedConfiguration) applyLoadedConfiguration();
      }
    }
  }
  RefreshStatus();
  project_.loading = false;
}

void ProjectController::Save() {
  FileDialogSetup setup = SaveDialog(FileDialogPurpose::kSaveProject);
  if (!project_.fileName.empty()) {
    project_.filePath = project_.directory + platform::PathSeparator() + project_.fileName;
    if (!HasProjectExtension(project_.filePath)) {
      dialogs_.ShowNumberedMessage(kMessageNoProjectFileChosen, "", "");
    } else if (Exists(project_.filePath)) {
      StoreProject();
      project_.noProjectOpen = false;
    } else {
      dialogs_.ShowNumberedMessage(kMessageProjectNotStored, project_.fileName, "");
    }
    RefreshStatus();
    return;
  }
  setup.presetName = PresetFromProjectName();
  const auto chosen = dialogs_.ChooseFileToSave(setup);
  if (!chosen) {
    dialogs_.ShowNumberedMessage(kMessageProjectNotStored, project_.fileName, "");
  } else if (!Exists(*chosen) || dialogs_.AskConfirmation(kAskOverwriteProject, "") == kAnswerOk) {
    project_.noProjectOpen = false;
    TakeNameAndFolder(*chosen);
    StoreProject();
  } else {
    project_.filePath = *chosen;
    dialogs_.ShowNumberedMessage(kMessageProjectNotOverwritten, *chosen, "");
  }
  RefreshStatus();
}

void ProjectController::SaveAs() {
  if (project_.noProjectOpen) {
    dialogs_.ShowNumberedMessage(kMessageNoProjectOpen, "", "");
    RefreshStatus();
    return;
  }
  FileDialogSetup setup = SaveDialog(FileDialogPurpose::kSaveProjectAs);
  const std::string current = project_.directory + platform::PathSeparator() + project_.fileName;
  setup.presetName = Exists(current) ? current : PresetFromProjectName();
  const auto chosen = dialogs_.ChooseFileToSave(setup);
  if (!chosen) {
    dialogs_.ShowNumberedMessage(kMessageProjectNotStored, "", "");
  } else if (!Exists(*chosen) || dialogs_.AskConfirmation(kAskOverwriteProject, "") == kAnswerOk) {
    TakeNameAndFolder(*chosen);
    StoreProject();
    project_.noProjectOpen = false;
  } else {
    project_.filePath = *chosen;
    dialogs_.ShowNumberedMessage(kMessageProjectNotOverwritten, "", "");
  }
  RefreshStatus();
}

void ProjectController::Erase() {
  AskToSaveOpenProject();
  if (!IsFolder(project_.directory)) return;
  FileDialogSetup setup = OpenDialog(FileDialogPurpose::kEraseProject);
  setup.asOpenDialogLastWas = true;
  const auto chosen = dialogs_.ChooseFileToOpen(setup);
  if (!chosen || !HasProjectExtension(*chosen) || !Exists(*chosen)) return;
  const std::string name = fs::path(*chosen).filename().string();
  if (dialogs_.AskConfirmation(kAskEraseProject, name) != kAnswerOk) {
    dialogs_.ShowNumberedMessage(kMessageProjectNotErased, name, "");
    return;
  }
  std::error_code error;
  if (!fs::remove(*chosen, error)) {
    dialogs_.ShowNumberedMessage(kMessageProjectNotErased, name, "");
    return;
  }
  const bool openProjectErased = name == project_.fileName;
  // The project is closed before the page is cleared, so that nobody is
  // asked to save a project whose file was just erased.
  project_.noProjectOpen = true;
  if (openProjectErased) New();
}

void ProjectController::BeforeExit() {
  AskToSaveOpenProject();
}

}  // namespace silvarone
