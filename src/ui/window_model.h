// The brain of the main window, without any toolkit: every field, selection
// and result the window shows, and the user's actions as calls. The Qt
// window, the command line and the tests all drive this one model.
//
// Flow: an action (typing, Enter, a selection, a page change, a button)
// runs the input protocol, then the workflow, which runs the calculations on
// the record set; results are copied from the record texts into the fields;
// every committed change rewrites the settings file (and an armed project file).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/back_calculation.h"
#include "device/instrument.h"
#include "report/report.h"
#include "storage/ball_editor.h"
#include "storage/project.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "ui/secondary_windows.h"

namespace silvarone {

enum class FieldState { kNormal, kPending, kResult };

// One edit or display field of the window.
struct Field {
  std::string text;
  std::string saved;  // the last confirmed text, shown again when an edit is discarded
  FieldState state = FieldState::kNormal;
  bool enabled = true;
  bool readOnly = false;
  // Given values in the comparison table: the row of the given quantity, and
  // the given tooth count and ball.
  bool highlighted = false;
};

// A radio group, drop-down list or list box.
struct Selection {
  std::vector<std::string> items;
  int index = -1;
  bool enabled = true;
};

enum Page : int {
  kPageDrawing1 = 0,
  kPageDrawing2 = 1,
  kPageCalculation = 2,
  kPageConfiguration = 3,
  kPageProject = 4,
};

// What ShowBackCalculationBox does.
enum BackBoxAction : int { kBoxShow, kBoxHide, kBoxClearInput, kBoxClearResults };

struct StartOptions {
  std::string settingsDirectory;  // with trailing separator
  std::string programDirectory;   // with trailing separator; holds dat/ and docs/
  bool checkPdfViewer = true;     // the command line opens no documents
  // The settings are read once and never written; no folder is created (the
  // command line without --save).
  bool inMemory = false;
};

// What a confirmed value recomputes (defined with the input rules).
enum class FollowUp;

class WindowModel {
 public:
  explicit WindowModel(DialogPresenter& presenter);
  // The dialogs, the project controller and the ball editor point back into
  // the model: it stays where it was made.
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  // Called once at the end of every action of the user (and of the start),
  // so the window repaints once; revision() counts the actions.
  std::function<void()> onChanged;
  // Called while the back-calculation runs, with progress() moved on.
  std::function<void()> onProgress;
  std::uint64_t revision() const { return revision_; }

  // The start sequence. False when the program must end (no PDF viewer).
  bool Start(const StartOptions& options);

  // --- The input protocol -------------------------------------------------
  // The user changed the text of a field (not the program).
  // A name outside the input protocol changes nothing.
  void Edited(std::string_view field, const std::string& text);
  // Enter or a double-click: confirms the shown text. True when the value changed.
  bool Confirm(std::string_view field);
  // Esc: discards the pending edit.
  void Escape();
  // Focus left a field: discards the pending edit.
  void Leave(std::string_view field);
  // A click into D_M_Edit or k_M_Edit switches to the typed ball or tooth count.
  void ClickInto(std::string_view field);
  // The field got the focus: for D_M_Edit and k_M_Edit the next edit counts.
  void FocusEntered(std::string_view field);
  // Any key in D_M_Edit or k_M_Edit runs the check dimension.
  void KeyPressed(std::string_view field);

  // --- The workflow -------------------------------------------------------
  void SelectInputMode(CalculationModeKind mode);
  void ChangePage(Page page);
  void RunCheckDimension();
  void RunBackCalculation();
  void SelectModuleSeries(int item);
  void SelectModuleFromSeries(int series, int index);
  void SelectBall(int item);
  void SelectBallFromList(int list, int index);  // list 3: DIN series, 4: device sequence
  void SelectToothCount(int item);
  void SelectInstrument(int item);
  void SelectMeasuringRange(int index);
  void SelectToleranceSource(int item);
  void SelectDeviationSeries(int index);
  void SelectToleranceSeries(int index);
  void SetDecimalPlaces(int which, int value);
  void SwitchLanguage(Language language);
  // Every caption, list item and language-dependent text in the language of
  // the moment; then the results, the module series and the status bar anew.
  void ApplyCaptions();
  void PasswordEdited(const std::string& text);
  // "Bearbeiten": the ball sequence editor when the access code is typed, else -400.
  bool OpenBallEditor();
  // Takes over what the editor stored.
  void BallEditorSaved(const std::vector<std::string>& deviceBalls);
  // The editor closed: the access code must be typed again.
  void BallEditorClosed();

  // Help menu. The path of the program manual (or the instrument manual) in
  // the language of the moment; empty when the document list lacks it.
  std::string HelpDocument(bool programManual) const;
  // Opening a document failed: "Es ist ein Fehler aufgetreten".
  void HelpDocumentFailed();
  // The program history text of the language of the moment; nothing (and
  // the message "Historie nicht verfügbar!") when the file is missing.
  std::optional<std::vector<std::string>> ProgramHistory();

  // --- Secondary windows -------------------------------------------------
  // Help menu: opens the manual of the language with `open` (the PDF viewer
  // the start check found). A missing file is named in a message; a document
  // the list lacks or the viewer refuses gives "Es ist ein Fehler aufgetreten".
  void OpenHelpDocument(bool programManual, const std::function<bool(const std::string&)>& open);
  // "Als PDF speichern" of the report window: the file chosen (an existing
  // one only after the user agreed to overwrite it), or nothing.
  std::optional<std::string> ChooseReportPdf();
  // The report did not reach the printer or the PDF file: the message says why.
  void ReportOutputFailed(OutputFailure failure, const std::string& target);
  // "Speichern" of the ball editor: writes the device ball file and shows
  // what it holds now in the device ball lists of the window.
  void SaveBallEditor();

  // Project menu, the project page's buttons and the door button (nothing
  // before Start found the settings).
  void NewProject();
  void LoadProject();
  void SaveProject();
  void SaveProjectAs();
  void EraseProject();
  void DoorClose();

  // The texts of the calculation report, as the window holds them now.
  ReportInput ReportData() const;

  // --- What the window shows ----------------------------------------------
  // The field or selection of that name. A name the window does not have is
  // a programming error: it gives an empty one and is noted in unknownNames().
  const Field& field(std::string_view name) const;
  const Selection& selection(std::string_view name) const;
  const std::vector<std::string>& unknownNames() const { return unknownNames_; }
  const std::map<std::string, Field, std::less<>>& fields() const { return fields_; }
  const std::map<std::string, Selection, std::less<>>& selections() const { return selections_; }
  Page page() const { return page_; }
  int pendingField() const { return pendingField_; }
  const std::array<std::string, 4>& statusBar() const { return statusBar_; }
  bool backCalculationBoxVisible() const { return backBoxVisible_; }
  bool backCalculationDone() const { return backCalculation_.valid; }
  const RangeDisplay& rangeDisplay() const { return range_; }
  const std::string& okPicture() const { return okPicture_; }
  const std::vector<std::string>& deviceBallLines() const { return deviceBallLines_; }
  const std::vector<std::string>& documents() const { return documents_; }
  bool editBallsEnabled() const { return editBallsEnabled_; }
  // VrProgressBar4: shown while the back-calculation runs, position 0..100.
  bool progressVisible() const { return progressVisible_; }
  int progress() const { return progress_; }

  // The caption of an object (label, group, button, menu entry, page tab,
  // "TMainForm" for the window title) in the language of the moment; empty
  // for an object without one. Lists carry their items in their selection.
  std::string_view caption(std::string_view object) const;
  const std::map<std::string, std::string, std::less<>>& captions() const { return captions_; }
  int upDownPosition() const { return upDownPosition_; }
  // The instrument picture of the language, a path.
  const std::string& instrumentPicture() const { return instrumentPicture_; }

  Workspace& workspace() { return workspace_; }
  const Workspace& workspace() const { return workspace_; }
  Gear& gear() { return workspace_.gear; }
  const Gear& gear() const { return workspace_.gear; }
  ProjectState& project() { return project_; }
  ProjectData& projectData() { return projectData_; }
  Dialogs& dialogs() { return dialogs_; }
  BallSequenceEditor& ballEditor() { return ballEditor_; }
  const std::string& settingsDirectory() const { return settingsDirectory_; }
  // Saves of the settings file that failed since the start.
  int failedSaves() const { return projects_ ? projects_->settings().FailedSaves() : 0; }
  const std::string& programDirectory() const { return programDirectory_; }

  // How the protocol treats one input field (the table is in the implementation).
  struct InputRule;

 private:
  // Marks one action of the user; the outermost one ends with onChanged.
  class Action {
   public:
    explicit Action(WindowModel& model) : model_(model) { ++model_.actionDepth_; }
    ~Action();
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;

   private:
    WindowModel& model_;
  };

  const InputRule* FindInput(std::string_view name) const;
  const InputRule* FindInput(int number) const;
  static std::string_view NameOf(const InputRule& input);
  Field& F(std::string_view name);
  Selection& S(std::string_view name);
  void NoteUnknownName(std::string_view name) const;

  // Input protocol steps.
  void DiscardPendingEdit(int number);
  bool ConfirmField(const InputRule& input);
  bool ConfirmBallField();
  bool ConfirmToothCountField();
  void SetGivenLimits(TGear& record, bool count) const;
  void RunFollowUp(FollowUp followUp);
  void AfterChange(const InputRule& input, bool changed);

  // Start steps.
  void MakeSettingsFolders(bool inMemory);
  void ReadSettingsAndDocuments();
  void ReadBallSeries();
  // The configuration just read (settings at the start, or a project) made
  // the window's state: tables, geometry, selections, mode. A start and a
  // project load run the same steps, so a loaded gear is computed exactly
  // as if the program had started with it.
  void ApplyConfiguration();
  void ApplyLoadedProject();
  void LoadToleranceTablesOfConfiguration();
  void ShowModuleOfConfiguration();
  void ShowDecimalPlaces();
  void StartBallAndToothCountSelections();

  // Workflow pieces.
  // The instrument and range of the settings (or a project) in their lists.
  void ShowInstrumentSettings();
  void RefreshDrawingFields();
  // The basic geometry and the default tip and root diameters of the gear as
  // it stands, then the drawing-data fields.
  void RecomputeDrawingFields();
  void RefreshGivenFields();
  void RefreshComparison();
  void ShowToleranceFields();
  // The series name at the index of a series list (the first for an index
  // outside it); nothing while the deviations are typed or the list is empty.
  std::optional<std::string> SeriesAt(std::string_view list, int index);
  void RecomputeTolerances();
  void ShowStatusBar();
  void ShowToothCountCaptions();
  // The project page from the project data, and its edits into them.
  void ShowProjectPage();
  bool EditProjectPage(std::string_view name, const std::string& text);
  void ShowBackCalculationBox(int action);
  void ClearBackCalculationResults();
  void ClearBackCalculationInput();
  void ShowRangeDisplay();
  void ShowOkPicture();
  void ComputeBallLimits();
  void TakeBallInUse(const std::string& text);
  // A ball diameter is in use (none when its list or field is empty).
  bool BallInUse() const;
  // No Q, test dimension, measuring window or OK picture of an earlier ball.
  void ClearCheckDimension();
  // The selected entry of a ball list; empty without a selection.
  std::string ListedBall(std::string_view list);
  void ShowRecommendedTeethForBall();
  void SetToothCountInUse(const std::string& text);
  std::string RecommendedTeethText() const;
  // The drawing data the tooth count recommendation needs have converted.
  bool DrawingDataValid() const;
  bool WriteSettings();
  void ShowTexts(const std::vector<std::pair<const char*, const TGear*>>& pairs);

  Workspace workspace_;
  ProjectState project_;
  ProjectData projectData_;
  Dialogs dialogs_;
  std::unique_ptr<ProjectController> projects_;
  BallSequenceEditor ballEditor_;
  BackCalculation backCalculation_;

  std::map<std::string, Field, std::less<>> fields_;
  std::map<std::string, Selection, std::less<>> selections_;
  std::string settingsDirectory_;
  std::string programDirectory_;

  Field scratchField_;
  Selection scratchSelection_;
  mutable std::vector<std::string> unknownNames_;

  Page page_ = kPageDrawing1;
  int pendingField_ = 0;
  bool inputsReady_ = false;
  bool recalcPending_ = false;
  bool ballFirstChange_ = true;
  bool teethFirstChange_ = true;
  int toothCountSource_ = 0;  // 0 not chosen, 1 recommended, 2 entered
  std::string ballInUse_;
  std::string toothCountInUse_;
  bool backBoxVisible_ = false;
  std::array<std::string, 4> statusBar_;
  RangeDisplay range_;
  std::string okPicture_;
  std::vector<std::string> deviceBallLines_;
  std::vector<std::string> documents_;
  bool editBallsEnabled_ = false;
  bool progressVisible_ = false;
  int progress_ = 0;
  std::map<std::string, std::string, std::less<>> captions_;
  int upDownPosition_ = 0;
  std::string instrumentPicture_;
  int actionDepth_ = 0;
  std::uint64_t revision_ = 0;
};

}  // namespace silvarone
