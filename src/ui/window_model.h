// The brain of the main window, without any toolkit: every field, selection
// and result the window shows, and the user's actions as calls. The Qt
// window, the command line and the tests all drive this one facade.
//
// The flow of an action: the view calls an action (Edited, Confirm, a
// Select..., ChangePage, a button). The input protocol decides whether a
// typed text counts and takes a confirmed one into its record; the facade
// then runs the follow-ups of the workflow, which compute on the gear's
// record set (core/, device/); the results are copied from the record texts
// into the fields; every committed change rewrites the settings file (and an
// armed project file, storage/). When the outermost action ends, onChanged
// tells the view to repaint once.
//
// Where things are:
//   window_model.cpp       the facade: construction, the input protocol's actions, the follow-ups
//   window_fields.*        what the window shows: fields and selections by object name
//   controls.*             the table of the window's controls and their names (ctl::...)
//   input_protocol.*       pending field, input rules, the text check and parse of a confirmation
//   ball_in_use.*          ball and tooth count in use, their sources and first-change flags
//   back_calculation_box.* the back-calculation box and its progress bar
//   status_bar.*           the four panels of the status bar
//   window_captions.*      captions, list items, window title in the language of the moment
//   project_page.*         the project page, and the project actions of the facade
//   start_sequence.cpp     Start and its steps, shared with the project load
//   calculation_page.cpp   page changes, the calculation page, Q and the back-calculation
//   selections.cpp         the selections: input mode, module, ball, tooth count, instrument,
//                          tolerances, decimal places, language, the ball editor's access
//   result_fields.cpp      the drawing, given, comparison and tolerance fields from the records
//   secondary_windows.*    texts of the about, history and report windows, and their actions
//   report_data.cpp        the texts of the calculation report
//   drawing_window.*       the measurement drawn to scale: its window's texts and labels
//   texts.*, captions.*, messages.*  every text of both languages
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/instrument.h"
#include "device/measurability.h"
#include "report/report.h"
#include "storage/ball_editor.h"
#include "storage/project.h"
#include "ui/back_calculation_box.h"
#include "ui/ball_in_use.h"
#include "ui/controls.h"
#include "ui/drawing_window.h"
#include "ui/input_protocol.h"
#include "ui/messages.h"
#include "ui/project_page.h"
#include "ui/secondary_windows.h"
#include "ui/status_bar.h"
#include "ui/texts.h"
#include "ui/window_captions.h"
#include "ui/window_fields.h"

namespace silvarone {

// The pages of the window in the order of their tabs.
enum class Page : int {
  kDrawing1 = 0,
  kDrawing2 = 1,
  kCalculation = 2,
  kConfiguration = 3,
  kProject = 4,
};
constexpr int TabIndex(Page page) {
  return static_cast<int>(page);
}

// The two ball lists of the calculation page.
enum class BallList { kDin, kDevice };

// The operations of the ball sequence editor's buttons.
enum class BallEdit { kMoveTop, kMoveUp, kMoveDown, kMoveBottom, kAdd, kChange, kErase, kUndo };

struct StartOptions {
  std::string settingsDirectory;  // with trailing separator
  std::string programDirectory;   // with trailing separator; holds dat/ and docs/
  bool checkPdfViewer = true;     // the command line opens no documents
  // The settings are read once and never written; no folder is created (the
  // command line without --save).
  bool inMemory = false;
};

class WindowModel {
 public:
  explicit WindowModel(DialogPresenter& presenter);
  // The parts, the dialogs, the project controller and the ball editor point
  // back into the model: it stays where it was made.
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
  void SelectModuleFromSeries(ModuleChoiceItem series, int index);
  void SelectBall(int item);
  void SelectBallFromList(BallList list, int index);
  void SelectToothCount(int item);
  void SelectInstrument(int item);
  void SelectMeasuringRange(int index);
  void SelectToleranceSource(int item);
  void SelectDeviationSeries(int index);
  void SelectToleranceSeries(int index);
  // Decimal places of computed values (1), of the second kind (2) and of
  // tooth counts (3); 0 to 6.
  void SetDecimalPlaces(int which, int value);
  void SwitchLanguage(Language language);
  // Every caption, list item and language-dependent text in the language of
  // the moment; then the results, the module series and the status bar anew.
  void ApplyCaptions();
  void PasswordEdited(const std::string& text);

  // --- The ball sequence editor ------------------------------------------
  // "Bearbeiten": the ball sequence editor when the access code is typed, else -400.
  bool OpenBallEditor();
  void SelectBallLine(int line);
  void TypeBallDiameter(const std::string& text);
  void EditBallSequence(BallEdit edit);
  // "Speichern": writes the device ball file and shows what it holds now in
  // the device ball lists of the window.
  void SaveBallEditor();
  // Takes over what the editor stored.
  void BallEditorSaved(const std::vector<std::string>& deviceBalls);
  // "Beenden": true when the editor closes (after question -400 for unsaved changes).
  bool CloseBallEditor();
  // The editor closed: the access code must be typed again.
  void BallEditorClosed();

  // --- Help and secondary windows ----------------------------------------
  // The path of the program manual (or the instrument manual) in the
  // language of the moment; empty when the document list lacks it.
  std::string HelpDocument(bool programManual) const;
  // Opening a document failed: "Es ist ein Fehler aufgetreten".
  void HelpDocumentFailed();
  // Help menu: opens the manual of the language with `open` (the PDF viewer
  // the start check found). A missing file is named in a message; a document
  // the list lacks or the viewer refuses gives "Es ist ein Fehler aufgetreten".
  void OpenHelpDocument(bool programManual, const std::function<bool(const std::string&)>& open);
  // The program history text of the language of the moment; nothing (and
  // the message "Historie nicht verfügbar!") when the file is missing.
  std::optional<std::vector<std::string>> ProgramHistory();
  // "Als PDF speichern" of the report window: the file chosen (an existing
  // one only after the user agreed to overwrite it), or nothing.
  std::optional<std::string> ChooseReportPdf();
  // "Bild speichern" of the drawing window: an SVG or PNG file (any other
  // name gets ".svg"), an existing one only after the user agreed to
  // overwrite it; or nothing.
  std::optional<std::string> ChooseDrawingPicture();
  // "CSV exportieren…" of the log window: a CSV file (a name without an
  // extension gets ".csv"), an existing one only after the user agreed to
  // overwrite it; or nothing.
  std::optional<std::string> ChooseLogCsv();
  // The report did not reach the printer or the PDF file: the message says why.
  void ReportOutputFailed(OutputFailure failure, const std::string& target);

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
  // The measurement drawn to scale, as the last calculation left the gear.
  DrawingView drawingView() const;
  // Counts the calculations that gave the drawing new data.
  std::uint64_t drawingRevision() const { return drawingRevision_; }

  // --- What the window shows ----------------------------------------------
  // The field or selection of that name. A name the window does not have is
  // a programming error: it gives an empty one and is noted in unknownNames().
  const Field& field(std::string_view name) const { return fields_.FieldOf(name); }
  const Selection& selection(std::string_view name) const { return fields_.SelectionOf(name); }
  const std::vector<std::string>& unknownNames() const { return fields_.unknownNames(); }
  const std::map<std::string, Field, std::less<>>& fields() const { return fields_.fields(); }
  const std::map<std::string, Selection, std::less<>>& selections() const {
    return fields_.selections();
  }
  Page page() const { return page_; }
  int pendingField() const { return protocol_.pendingField(); }
  const std::array<std::string, 4>& statusBar() const { return statusBar_.panels(); }
  bool backCalculationBoxVisible() const { return backBox_.visible(); }
  bool backCalculationDone() const { return backBox_.done(); }
  // VrProgressBar4: shown while the back-calculation runs, position 0..100.
  bool progressVisible() const { return backBox_.progressVisible(); }
  int progress() const { return backBox_.progress(); }
  const RangeDisplay& rangeDisplay() const { return range_; }
  // The measurability checks of the last calculation of the page.
  const Measurability& measurability() const { return measurability_; }
  const std::string& okPicture() const { return okPicture_; }
  const std::vector<std::string>& deviceBallLines() const { return deviceBallLines_; }
  const std::vector<std::string>& documents() const { return documents_; }
  bool editBallsEnabled() const { return editBallsEnabled_; }
  int decimalPlaces(int which) const;
  Language language() const { return gear().state.language; }

  // The caption of an object (label, group, button, menu entry, page tab,
  // "TMainForm" for the window title) in the language of the moment; empty
  // for an object without one. Lists carry their items in their selection.
  std::string_view caption(std::string_view object) const { return captions_.caption(object); }
  const std::map<std::string, std::string, std::less<>>& captions() const {
    return captions_.captions();
  }
  int upDownPosition() const { return captions_.upDownPosition(); }
  // The instrument picture of the language, a path.
  const std::string& instrumentPicture() const { return captions_.instrumentPicture(); }

  const Workspace& workspace() const { return workspace_; }
  const Gear& gear() const { return workspace_.gear; }
  const ProjectState& project() const { return project_; }
  const ProjectData& projectData() const { return projectData_; }
  const BallSequenceEditor& ballEditor() const { return ballEditor_; }
  const std::string& settingsDirectory() const { return settingsDirectory_; }
  const std::string& programDirectory() const { return programDirectory_; }
  // Saves of the settings file that failed since the start.
  int failedSaves() const { return projects_ ? projects_->settings().FailedSaves() : 0; }

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

  Gear& mutableGear() { return workspace_.gear; }
  Field& FieldOf(std::string_view name) { return fields_.FieldOf(name); }
  Selection& SelectionOf(std::string_view name) { return fields_.SelectionOf(name); }

  // Confirmations and their follow-ups.
  bool ConfirmField(const InputRule& input);
  bool ConfirmBallField();
  bool ConfirmToothCountField();
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

  // The calculation page.
  void EnterCalculationPage();
  // The ball and tooth count the page starts with, once the gear's
  // recommendations are known: a recommended ball follows the drawing data
  // it was recommended for.
  std::string ChooseBallForThePage(const std::string& recommended);
  std::string ChooseTeethForThePage(const std::string& recommended);
  // The fields of the check dimension, the ball limits and the OK picture
  // after a calculation.
  void ShowCheckDimensionResults();
  void ShowCheckDimension();
  void ShowRangeDisplay();
  // The warnings of the measurability checks, in the language of the moment.
  void ShowMeasurability();
  void ShowOkPicture();
  void ShowBallLimits();
  void ShowRecommendedTeethForBall();
  // The drawing data the tooth count recommendation needs have converted.
  bool DrawingDataValid() const;

  // Fields rewritten from the records.
  void ShowTexts(const std::vector<std::pair<std::string_view, const TGear*>>& pairs);
  void RefreshDrawingFields();
  // The basic geometry and the default tip and root diameters of the gear as
  // it stands, then the drawing-data fields.
  void RecomputeDrawingFields();
  void RefreshGivenFields();
  void RefreshComparison();
  void ShowToleranceFields();
  void RecomputeTolerances();
  void ShowStatusBar() { statusBar_.Show(gear().state, project_); }
  // The instrument and range of the settings (or a project) in their lists.
  void ShowInstrumentSettings();
  // The series name at the index of a series list (the first for an index
  // outside it); nothing while the deviations are typed or the list is empty.
  std::optional<std::string> SeriesAt(std::string_view list, int index);
  bool WriteSettings();
  // A file chooser for something the program writes, preset with the
  // project's name (or `fallbackName`) and the extension.
  std::optional<std::string> ChooseFileToWrite(FileDialogPurpose purpose, const std::string& filter,
                                               TextId fallbackName, const std::string& extension);
  // The path is new, or the user agreed to overwrite it.
  bool MayOverwrite(const std::string& path);

  Workspace workspace_;
  ProjectState project_;
  ProjectData projectData_;
  Dialogs dialogs_;
  std::unique_ptr<ProjectController> projects_;
  BallSequenceEditor ballEditor_;

  WindowFields fields_;
  InputProtocol protocol_{fields_};
  BallAndTeethInUse inUse_{fields_, workspace_.gear};
  BackCalculationBox backBox_{fields_, workspace_.gear};
  StatusBar statusBar_;
  WindowCaptions captions_;
  ProjectPage projectPage_{fields_, projectData_};

  std::string settingsDirectory_;
  std::string programDirectory_;
  Page page_ = Page::kDrawing1;
  RangeDisplay range_;
  Measurability measurability_;
  // The drawing's data as the last calculation left them: the drawing and
  // the numbers of the page stay one pair until the next calculation.
  DrawingInput drawingInput_;
  std::uint64_t drawingRevision_ = 0;
  std::string okPicture_;
  std::vector<std::string> deviceBallLines_;
  std::vector<std::string> documents_;
  bool editBallsEnabled_ = false;
  int actionDepth_ = 0;
  std::uint64_t revision_ = 0;
};

}  // namespace silvarone
